#include "CdLocator.h"

#include "Drives.h"
#include "PrivateProfile.h"

bool CdLocator::FindCD() {
    const DriveTable& table = DriveTable::Refresh();
    const QStringList roots = table.LogicalDriveStrings();
    for (const QString& root : roots) {
        if (table.GetDriveType(root) != DriveType::cdrom)
            continue;
        const std::optional<QString> label = table.GetVolumeLabel(root);
        if (!label || *label != m_volumeLabel)
            continue;
        m_driveLetter = root.at(0);
        if (m_diagnostic)
            privateprofile::WriteString(QStringLiteral("quelby"), QStringLiteral("lastdriveletter"),
                                        root);
        return true;
    }
    return false;
}
