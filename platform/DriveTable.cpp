#include "Drives.h"
#include "TestSeam.h"

#include <algorithm>

namespace {
std::optional<DriveTable> g_current;
std::function<DriveTable()> g_discover = [] { return DriveTable::Discover(); };
[[maybe_unused]] const bool g_switches =
    testseam::Register(g_current) && testseam::Register(g_discover);

// The letter of a root path "D:\" (also "d:", "D:/"); 0 for anything else.
char RootLetter(const QString& root) {
    if (root.size() < 2 || root.size() > 3 || root[1] != QLatin1Char(':'))
        return 0;
    if (root.size() == 3 && root[2] != QLatin1Char('\\') && root[2] != QLatin1Char('/'))
        return 0;
    const QChar letter = root[0].toUpper();
    if (letter < QLatin1Char('A') || letter > QLatin1Char('Z'))
        return 0;
    return static_cast<char>(letter.unicode());
}
} // namespace

DriveTable::DriveTable(std::vector<Drive> drives) : m_drives(std::move(drives)) {
    std::stable_sort(m_drives.begin(), m_drives.end(),
                     [](const Drive& a, const Drive& b) { return a.letter < b.letter; });
}

QStringList DriveTable::LogicalDriveStrings() const {
    QStringList roots;
    for (const Drive& drive : m_drives)
        roots.append(QString(QLatin1Char(drive.letter)) + QStringLiteral(":\\"));
    return roots;
}

const Drive* DriveTable::Find(char letter) const {
    const char upper =
        (letter >= 'a' && letter <= 'z') ? static_cast<char>(letter - 'a' + 'A') : letter;
    for (const Drive& drive : m_drives) {
        if (drive.letter == upper)
            return &drive;
    }
    return nullptr;
}

DriveType DriveTable::GetDriveType(const QString& root) const {
    const Drive* drive = Find(RootLetter(root));
    return drive ? drive->type : DriveType::noRootDir;
}

std::optional<QString> DriveTable::GetVolumeLabel(const QString& root) const {
    const Drive* drive = Find(RootLetter(root));
    if (!drive || !drive->volume)
        return std::nullopt;
    return drive->volume->Label();
}

std::optional<QString> DriveTable::FindCdRoot(const QString& label) const {
    for (const QString& root : LogicalDriveStrings()) {
        if (GetDriveType(root) != DriveType::cdrom)
            continue;
        const std::optional<QString> found = GetVolumeLabel(root);
        if (found && *found == label)
            return root;
    }
    return std::nullopt;
}

const DriveTable& DriveTable::Current() {
    if (!g_current)
        g_current = g_discover ? g_discover() : DriveTable();
    return *g_current;
}

const DriveTable& DriveTable::Refresh() {
    if (g_discover)
        g_current = g_discover();
    return Current();
}

void DriveTable::SetCurrent(DriveTable table) {
    g_current = std::move(table);
    g_discover = nullptr;
}

void DriveTable::SetDiscovery(std::function<DriveTable()> discover) {
    g_discover = std::move(discover);
    g_current.reset();
}
