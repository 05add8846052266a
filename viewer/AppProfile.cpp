#include "AppProfile.h"

#include "Profile.h"
#include "ViewerIds.h"

#include <memory>

namespace {
std::unique_ptr<Profile>& Instance() {
    static std::unique_ptr<Profile> profile;
    return profile;
}
} // namespace

void SetRegistryKey(const QString& key) {
    Instance() = std::make_unique<Profile>(key, QString::fromLatin1(ids::kAppTitle));
}

Profile& AppProfile() {
    if (!Instance())
        SetRegistryKey(QString::fromLatin1(ids::kRegistryKey));
    return *Instance();
}
