#pragma once

#include "NumberedList.h"
#include "Profile.h"

#include <QString>
#include <QStringList>
#include <optional>

// The most favourites the viewer keeps in its list. A profile may hold more;
// the viewer reads only the first this many and pages through those.
inline constexpr int kFavouriteListSize = 749;

// The favourite cartoons in the profile: section "fav", the count in "total"
// and the cartoon names in entries "1" to "total". Adding and removing are
// each one step under the profile's lock that reaches the file as one
// replacement, so two programs doing either at once, or a program ended in
// the middle, neither lose a favourite nor save one twice.
class FavouriteStore {
public:
    // full: the list is as long as a list can be; unsaved: the profile could
    // not be written. Neither wrote anything.
    enum class AddResult { added, alreadySaved, full, unsaved };

    explicit FavouriteStore(Profile profile = Profile::App());

    // The stored count; 0 when it is negative or not a number.
    int Total() const;
    // Entries 1 to min(total, limit), a missing one as "error"; never more
    // than NumberedList::kHighestNumber.
    QStringList Names(int limit = kFavouriteListSize) const;
    // Appends the name unless an entry of the list holds it exactly (case
    // counts). It goes after every stored name: a total written by hand that
    // is too low or no number never makes it overwrite one.
    AddResult Add(const QString& name);
    // Takes out the first of entries 1 to total holding the name, or for
    // "error" (how a missing entry reads) the first missing one: each later
    // entry moves down one, the entries past the new end read "empty", and
    // the total drops by one. Nothing is written when it finds nothing.
    ListRemoval Remove(const QString& name);
    const Profile& Store() const { return m_profile; }

private:
    Profile m_profile;
};
