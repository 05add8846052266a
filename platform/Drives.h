#pragma once

#include "FileSource.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class CFileException;
struct OpticalMount;

// GetDriveTypeA's values.
enum class DriveType {
    unknown = 0,
    noRootDir = 1,
    removable = 2,
    fixed = 3,
    remote = 4,
    cdrom = 5,
    ramDisk = 6
};

// A medium in a drive: its label and its files.
class Volume {
public:
    virtual ~Volume() = default;
    // The volume label; nullopt when GetVolumeInformationA would fail (no medium).
    virtual std::optional<QString> Label() const = 0;
    // Opens a path below the root ("quelby\images\t1\1T005HI1.BMP", backslashes),
    // components matched regardless of case and ignoring an ISO ";1" suffix.
    // Volumes are read-only: a write request fails with accessDenied. No
    // medium fails with generic, a missing file with fileNotFound, a missing
    // folder with badPath.
    virtual std::unique_ptr<FileSource> Open(const QString& relativePath, unsigned flags,
                                             CFileException& error) const = 0;
};

struct Drive {
    char letter = 'D';
    DriveType type = DriveType::cdrom;
    std::shared_ptr<Volume> volume; // none: no medium in the drive
};

// A drive the user attached: a letter and an ISO image, device or folder.
struct AttachedDrive {
    char letter = 'D';
    QString path;
};

// Where the drives come from, in the order they get letters.
struct DriveSources {
    std::vector<AttachedDrive> attached; // keep their letters; the first of a letter wins
    QStringList given;                   // discs named on the command line: the first free letters
    QStringList opticalDevices;          // physical drives, e.g. "/dev/sr0"
    std::vector<OpticalMount> mounts;    // mounted iso9660 and udf file systems
};

// The machine's drives as the programs see them, lettered and in order.
class DriveTable {
public:
    // The profile's section of attached drives: entries "E" = "/path".
    static inline const QString kDrivesSection = QStringLiteral("Drives");

    DriveTable() = default;
    explicit DriveTable(std::vector<Drive> drives);

    // GetLogicalDriveStringsA: "D:\", "E:\", ... in letter order.
    QStringList LogicalDriveStrings() const;
    // GetDriveTypeA of a root such as "D:\"; noRootDir for a drive that is not there.
    DriveType GetDriveType(const QString& root) const;
    // GetVolumeInformationA's volume name: nullopt when it fails.
    std::optional<QString> GetVolumeLabel(const QString& root) const;
    const Drive* Find(char letter) const;
    // The root ("E:\\") of the first CD-ROM drive, in letter order, whose
    // volume label is exactly `label` (case counts); nullopt when none holds it.
    std::optional<QString> FindCdRoot(const QString& label) const;
    const std::vector<Drive>& Drives() const { return m_drives; }

    // The table in force for the process, discovered on first use.
    static const DriveTable& Current();
    // Discovers the drives again, so that a disc inserted, an image mounted or
    // a drive attached since the last search is seen. A search for the disc
    // refreshes; reading files uses the table as it stands.
    static const DriveTable& Refresh();
    // Installs a fixed table: Refresh keeps it (tests, benchmarks).
    static void SetCurrent(DriveTable table);
    // Replaces discovery (tests: a mount table of their own); Refresh calls it.
    static void SetDiscovery(std::function<DriveTable()> discover);
    // Discs named on the command line, attached before the machine's drives.
    static void SetGivenDiscs(const QStringList& paths);
    // Builds the table from attached drives (QUELBY_DRIVES, then the settings'
    // "Drives" section), the discs given on the command line, physical optical
    // drives and mounted optical file systems.
    // Malformed attached entries are reported on standard error and skipped.
    static DriveTable
    Discover(const QString& mountInfoPath = QStringLiteral("/proc/self/mountinfo"));
    // Letters the sources: attached drives keep theirs, the others take the
    // next free letters from D in the order given (command line, devices,
    // mounts). All are CD-ROM drives.
    static DriveTable Build(const DriveSources& sources);

private:
    std::vector<Drive> m_drives;
};

// "E=/path/to/image.iso;F=/path/to/folder": the well-formed entries in order;
// each malformed entry (no "=", not one letter A to Z, no path, a letter given
// twice) is appended to malformed. Empty entries are ignored.
std::vector<AttachedDrive> ParseAttachedDrives(const QString& list,
                                               QStringList* malformed = nullptr);

// Volumes that the drive table makes; tests may build tables from them.
std::shared_ptr<Volume> MakeIsoVolume(const QString& imageOrDevice);
// A label given here replaces the one from the folder's ".windows-label".
std::shared_ptr<Volume> MakeFolderVolume(const QString& folder,
                                         const std::optional<QString>& label = std::nullopt);
// An attached path: a folder's volume for a folder, otherwise an image's or device's.
std::shared_ptr<Volume> MakeAttachedVolume(const QString& path);
