#pragma once

#include "NumberedList.h"
#include "Profile.h"
#include "Selection.h"

#include <QString>
#include <QStringList>
#include <optional>

// The bookmarks in the profile: section "bookmark" lists their names in
// entries "1" to "total"; each bookmark keeps its values in a section of its
// own name. Saving and deleting are each one step under the profile's lock.
class BookmarkStore {
public:
    // What a missing value of a bookmark reads as: the view the viewer
    // starts with. "all" is always 7.
    static const Selection kMissing;

    explicit BookmarkStore(Profile profile = Profile::App());

    // The stored count; 0 when it is negative or not a number.
    int Total() const;
    // Entries 1 to total, a missing one as "error". The list ends at the
    // highest entry the section holds, whatever total a hand may have written.
    QStringList Names() const;
    // Whether the name's section holds a mode other than 10.
    bool Exists(const QString& name) const;
    // refused: an empty or reserved name, or a list as long as a list can
    // be; unsaved: the profile could not be written. Neither wrote anything.
    enum class SaveResult { saved, refused, unsaved };
    // Lists the name unless the list holds it already and writes the
    // bookmark's values into its section, all in one replacement of the file.
    SaveResult Save(const QString& name, const Selection& bookmark);
    // The values in the name's section, each missing one as in kMissing.
    Selection Load(const QString& name) const;
    // Removes the name's section and its entry, whose place the last entry
    // takes, in one replacement of the file. Nothing is written when the list
    // does not hold the name. A reserved name listed by hand loses its entry
    // but never its section.
    ListRemoval Delete(const QString& name);
    const Profile& Store() const { return m_profile; }

private:
    Profile m_profile;
};
