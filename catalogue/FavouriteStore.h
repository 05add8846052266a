#pragma once

#include "Profile.h"

#include <QString>
#include <QStringList>
#include <optional>

// The most favourites the viewer keeps in its list. A profile may hold more;
// the viewer reads only the first this many and pages through those.
inline constexpr int kFavouriteListSize = 749;

// The favourite cartoons in the profile: section "fav", the count in "total"
// and the cartoon names in entries "1" to "total". Adding and removing are
// each one step under the profile's lock, so two programs doing either at
// once neither lose a favourite nor save one twice.
class FavouriteStore {
public:
    // full: the list is as long as a list can be; nothing was written.
    enum class AddResult { added, alreadySaved, full };

    explicit FavouriteStore(Profile profile = Profile::App());

    // The stored count; 0 when it is negative or not a number.
    int Total() const;
    // Entries 1 to min(total, limit), a missing one as "error"; never more
    // than NumberedList::kHighestNumber.
    QStringList Names(int limit = kFavouriteListSize) const;
    // Appends the name unless an entry of the list holds it exactly (case
    // counts): the total first, then the entry.
    AddResult Add(const QString& name);
    // Takes out the first entry holding the name: each later entry moves down
    // one, the entries past the new end read "empty", and the total drops by
    // one. Returns the new total; nullopt, with nothing written, when the
    // list does not hold the name.
    std::optional<int> Remove(const QString& name);

private:
    Profile m_profile;
};
