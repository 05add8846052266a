#pragma once

#include "Profile.h"
#include "Selection.h"

#include <QString>

// The viewer's settings. In the profile, section "cdrom": whether a bookmark
// is saved on exit and the slide show's view time and full-screen choice;
// the favourites, the bookmarks and their values are the stores' (see
// Selection.h). In test.ini, section "quelby": the diagnostic switch and the
// records diagnostic mode makes. Every read takes the default for a missing
// or unreadable value.
namespace viewersettings {
inline const QString& kSection = profilesections::kViewer;
inline const QString kSaveOnExit = QStringLiteral("saveonexit");
inline constexpr int kDefaultSaveOnExit = 1;
inline const QString kViewTime = QStringLiteral("delay");
inline constexpr int kDefaultViewTime = 5;
inline const QString kFullScreen = QStringLiteral("check");
inline constexpr int kDefaultFullScreen = 0;

// test.ini
inline const QString kTestSection = QStringLiteral("quelby");
inline const QString kDiagnostic = QStringLiteral("test");
inline const QString kLastDriveLetter = QStringLiteral("lastdriveletter");
// A picture that could not be painted is recorded under its name with this value.
inline const QString kBadPicture = QStringLiteral("bad");

inline int ReadSaveOnExit(const Profile& profile) {
    return profile.GetInt(kSection, kSaveOnExit, kDefaultSaveOnExit);
}
inline int ReadViewTime(const Profile& profile) {
    return profile.GetInt(kSection, kViewTime, kDefaultViewTime);
}
inline int ReadFullScreen(const Profile& profile) {
    return profile.GetInt(kSection, kFullScreen, kDefaultFullScreen);
}
} // namespace viewersettings
