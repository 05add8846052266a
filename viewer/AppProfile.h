#pragma once

class Profile;
class QString;

// The application's profile: root "Vanto Corp" (SetRegistryKey) and the
// application title "Quelby" as its key.
void SetRegistryKey(const QString& key);
Profile& AppProfile();
