#pragma once

#include "Profile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The keys a saved bookmark's section holds, sorted.
QStringList BookmarkKeys();

// The ways the profile breaks what the stores promise, read through the
// profile alone; empty when it keeps every promise: entries 1 to total are
// present in "fav" and in "bookmark"; no name is listed twice in either;
// every listed bookmark's section holds exactly the bookmark keys; and the
// file has no section besides the two lists, the listed bookmarks' and
// otherSections.
QStringList InvariantBreaches(const Profile& profile, const QStringList& otherSections = {});

// The profile file's bytes; empty when there is no file.
QByteArray ProfileBytes(const Profile& profile);
// Replaces the profile file with the text, as a hand in an editor would.
void PutProfileText(const Profile& profile, const QByteArray& text);
