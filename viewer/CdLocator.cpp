#include "CdLocator.h"

#include "Catalogue.h"
#include "Drives.h"
#include "PrivateProfile.h"
#include "ViewerSettings.h"

bool CdLocator::FindCD() {
    const std::optional<QString> root =
        DriveTable::Refresh().FindCdRoot(QString::fromLatin1(kCdVolumeLabel));
    if (!root)
        return false;
    m_driveLetter = root->at(0);
    if (m_diagnostic)
        privateprofile::WriteString(viewersettings::kTestSection, viewersettings::kLastDriveLetter,
                                    *root);
    return true;
}
