#pragma once

#include "Profile.h"
#include "Selection.h"

#include <QString>
#include <variant>
#include <vector>

// Section "ScreenSaver" of the profile, the saver's own settings: what it
// shows and where it stands (a Selection, under its keys), the view time,
// whether it remembers its place and the idle time of the idle mode. Every
// read takes the table's default for a missing value.
namespace saverkeys {
inline const QString& kSection = profilesections::kSaver;
inline const QString kDelay = QStringLiteral("delay");
inline const QString kSaveOnExit = QStringLiteral("saveOnExit");
inline const QString kIdleMinutes = QStringLiteral("idleMinutes");
} // namespace saverkeys

// The view time in seconds: the configuration offers 1 to 99.
inline constexpr int kMinDelay = 1;
inline constexpr int kMaxDelay = 99;
inline constexpr int kDefaultDelay = 3;
// The idle time of "wendle --idle" in minutes; not in the configuration.
inline constexpr int kMinIdleMinutes = 1;
inline constexpr int kMaxIdleMinutes = 120;
inline constexpr int kDefaultIdleMinutes = 10;
// "&After Life", the category the saver starts with.
inline constexpr int kDefaultCategory = 34;

// One value to store, an integer or a text.
struct SettingWrite {
    QString key;
    std::variant<int, QString> value;
    bool operator==(const SettingWrite&) const = default;
};
using SettingWrites = std::vector<SettingWrite>;

// The selection with the table's defaults for what is missing: mode 1,
// treasury 1, first treasury 1, all 0, position 0, last position 743,
// category 34, "AF".
Selection ReadSelection(const Profile& profile);
// The view time (default 3), brought within 1 to 99.
int ReadDelay(const Profile& profile);
// The idle time before the saver shows (default 10), brought within 1 to 120.
int ReadIdleMinutes(const Profile& profile);
// Whether to remember the place (default 1).
int ReadSaveOnExit(const Profile& profile);

// What a configuration choice stores, in its order: mode, current treasury,
// first treasury, all, position, last position, code, number.
SettingWrites ChoiceWrites(const Selection& selection);
// What the window stores when it ends: the same values with the category
// number before its code.
SettingWrites ExitSaveWrites(const Selection& selection);
// Stores the values under "ScreenSaver" in one replacement of the file;
// false when it could not be written.
bool WriteSettings(Profile& profile, const SettingWrites& writes);
