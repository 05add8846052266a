#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

class FileSource;
class CFileException;

// GetDriveTypeA's values.
enum class DriveType { unknown = 0, noRootDir = 1, removable = 2, fixed = 3, remote = 4, cdrom = 5, ramDisk = 6 };

// A medium in a drive: its label and its files.
class Volume {
public:
    virtual ~Volume() = default;
    // The volume label; nullopt when GetVolumeInformationA would fail.
    virtual std::optional<QString> Label() const = 0;
    // Opens a path below the root ("quelby\images\t1\1T005HI1.BMP", backslashes),
    // components matched regardless of case and ignoring an ISO ";1" suffix.
    // Volumes are read-only: a write request fails with accessDenied.
    virtual std::unique_ptr<FileSource> Open(const QString& relativePath, unsigned flags,
                                             CFileException& error) const = 0;
};

struct Drive {
    char letter = 'D';
    DriveType type = DriveType::cdrom;
    std::shared_ptr<Volume> volume; // none: no medium in the drive
};

// The machine's drives as the programs see them, lettered and in order.
class DriveTable {
public:
    DriveTable() = default;
    explicit DriveTable(std::vector<Drive> drives);

    // GetLogicalDriveStringsA: "D:\", "E:\", ... in letter order.
    QStringList LogicalDriveStrings() const;
    // GetDriveTypeA of a root such as "D:\".
    DriveType GetDriveType(const QString& root) const;
    // GetVolumeInformationA's volume name: nullopt when it fails.
    std::optional<QString> GetVolumeLabel(const QString& root) const;
    const Drive* Find(char letter) const;
    const std::vector<Drive>& Drives() const { return m_drives; }

    // The table in force for the process. Tests install their own.
    static const DriveTable& Current();
    static void SetCurrent(DriveTable table);
    // Builds the table from attached drives (QUELBY_DRIVES, then the settings'
    // "Drives" section), physical optical drives and mounted optical file systems.
    static DriveTable Discover(const QString& mountInfoPath = QStringLiteral("/proc/self/mountinfo"));

private:
    std::vector<Drive> m_drives;
};

// Volumes that the drive table makes; tests may build tables from them.
std::shared_ptr<Volume> MakeIsoVolume(const QString& imageOrDevice);
std::shared_ptr<Volume> MakeFolderVolume(const QString& folder);
