#pragma once

#include "Profile.h"

// The application's profile functions: the profile under the organisation and
// application names the program's main set ("Vanto Corp", "Quelby").
inline Profile AppProfile() {
    return Profile::App();
}
