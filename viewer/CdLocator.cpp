#include "CdLocator.h"

#include "Drives.h"
#include "PrivateProfile.h"

bool CdLocator::FindCD() {
    const std::optional<QString> root = DriveTable::Refresh().FindCdRoot(m_volumeLabel);
    if (!root)
        return false;
    m_driveLetter = root->at(0);
    if (m_diagnostic)
        privateprofile::WriteString(QStringLiteral("quelby"), QStringLiteral("lastdriveletter"),
                                    *root);
    return true;
}
