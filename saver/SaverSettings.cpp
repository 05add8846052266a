#include "SaverSettings.h"

#include "Catalogue.h"

#include <algorithm>

using namespace saverkeys;
using namespace selectionkeys;

Selection ReadSelection(const Profile& profile) {
    Selection s;
    s.mode =
        static_cast<ViewMode>(profile.GetInt(kSection, kMode, static_cast<int>(ViewMode::all)));
    s.currentTreasury = profile.GetInt(kSection, kCurrentTreasury, 1);
    s.treasury1 = profile.GetInt(kSection, kTreasury1, 1);
    s.all = profile.GetInt(kSection, kAll, 0);
    s.imageCounter = profile.GetInt(kSection, kImageCounter, 0);
    s.imageMax = profile.GetInt(kSection, kImageMax, kCatalogueSize);
    s.category = profile.GetInt(kSection, kCategory, kDefaultCategory);
    s.categoryShort = profile.GetString(kSection, kCategoryShort, QStringLiteral("AF"));
    return s;
}

int ReadDelay(const Profile& profile) {
    return std::clamp(profile.GetInt(kSection, kDelay, kDefaultDelay), kMinDelay, kMaxDelay);
}

int ReadIdleMinutes(const Profile& profile) {
    return std::clamp(profile.GetInt(kSection, kIdleMinutes, kDefaultIdleMinutes), kMinIdleMinutes,
                      kMaxIdleMinutes);
}

int ReadSaveOnExit(const Profile& profile) {
    return profile.GetInt(kSection, kSaveOnExit, 1);
}

SettingWrites ChoiceWrites(const Selection& s) {
    return {{kMode, static_cast<int>(s.mode)}, {kCurrentTreasury, s.currentTreasury},
            {kTreasury1, s.treasury1},         {kAll, s.all},
            {kImageCounter, s.imageCounter},   {kImageMax, s.imageMax},
            {kCategoryShort, s.categoryShort}, {kCategory, s.category}};
}

SettingWrites ExitSaveWrites(const Selection& s) {
    return {{kMode, static_cast<int>(s.mode)}, {kCurrentTreasury, s.currentTreasury},
            {kTreasury1, s.treasury1},         {kAll, s.all},
            {kImageCounter, s.imageCounter},   {kImageMax, s.imageMax},
            {kCategory, s.category},           {kCategoryShort, s.categoryShort}};
}

bool WriteSettings(Profile& profile, const SettingWrites& writes) {
    ProfileEdit edit;
    for (const SettingWrite& write : writes) {
        if (const int* number = std::get_if<int>(&write.value))
            edit.SetInt(kSection, write.key, *number);
        else
            edit.SetString(kSection, write.key, std::get<QString>(write.value));
    }
    return profile.Write(edit);
}
