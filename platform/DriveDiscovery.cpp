#include "Drives.h"
#include "FolderVolume.h"
#include "IsoVolume.h"
#include "MountInfo.h"
#include "MountVolume.h"
#include "Profile.h"
#include "TestSeam.h"

#include <QDir>
#include <QFileInfo>
#include <array>
#include <cdio/cdio.h>
#include <cdio/logging.h>
#include <cstdio>

namespace {
QStringList g_givenDiscs;
[[maybe_unused]] const bool g_switch = testseam::Register(g_givenDiscs);

// A drive letter A to Z from "E" or "e"; 0 otherwise.
char ParseLetter(const QString& text) {
    const QString letter = text.trimmed().toUpper();
    if (letter.size() != 1 || letter[0] < QLatin1Char('A') || letter[0] > QLatin1Char('Z'))
        return 0;
    return static_cast<char>(letter[0].unicode());
}

void ReportMalformed(const QString& origin, const QStringList& entries) {
    for (const QString& entry : entries)
        std::fprintf(stderr, "%s: ignoring malformed drive entry \"%s\"\n", qPrintable(origin),
                     entry.toLocal8Bit().constData());
}

// Drives attached in the settings: entries "E" = "/path" of section "Drives".
std::vector<AttachedDrive> AttachedInSettings(QStringList& malformed) {
    const Profile profile = Profile::App();
    QStringList entries;
    for (const QString& key : profile.Entries(DriveTable::kDrivesSection))
        entries.append(key + QLatin1Char('=') + profile.GetString(DriveTable::kDrivesSection, key));
    return ParseAttachedDrives(entries.join(QLatin1Char(';')), &malformed);
}

QStringList PhysicalOpticalDrives() {
    // The library's warnings about drives without media would reach standard
    // error; an empty drive is an ordinary answer here.
    cdio_loglevel_default = CDIO_LOG_ASSERT;
    QStringList devices;
    char** list = cdio_get_devices(DRIVER_DEVICE);
    for (char** device = list; device && *device; ++device)
        devices.append(QFile::decodeName(*device));
    cdio_free_device_list(list);
    return devices;
}

QString Canonical(const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? QFileInfo(path).absoluteFilePath() : canonical;
}
} // namespace

std::vector<AttachedDrive> ParseAttachedDrives(const QString& list, QStringList* malformed) {
    std::vector<AttachedDrive> drives;
    std::array<bool, 26> used{};
    for (const QString& entry : list.split(QLatin1Char(';'))) {
        if (entry.trimmed().isEmpty())
            continue;
        const qsizetype equals = entry.indexOf(QLatin1Char('='));
        const char letter = equals < 0 ? 0 : ParseLetter(entry.left(equals));
        const QString path = equals < 0 ? QString() : entry.mid(equals + 1).trimmed();
        if (letter == 0 || path.isEmpty() || used[letter - 'A']) {
            if (malformed)
                malformed->append(entry);
            continue;
        }
        used[letter - 'A'] = true;
        drives.push_back({letter, QDir::cleanPath(QFileInfo(path).absoluteFilePath())});
    }
    return drives;
}

DriveTable DriveTable::Build(const DriveSources& sources) {
    std::vector<Drive> drives;
    std::array<bool, 26> used{};
    QStringList seen; // files already behind a drive: a mounted disc is listed once
    for (const AttachedDrive& attached : sources.attached) {
        if (attached.letter < 'A' || attached.letter > 'Z' || used[attached.letter - 'A'])
            continue;
        used[attached.letter - 'A'] = true;
        drives.push_back({attached.letter, DriveType::cdrom, MakeAttachedVolume(attached.path)});
        seen.append(Canonical(attached.path));
    }
    auto nextFree = [&used]() -> char {
        for (char letter = 'D'; letter <= 'Z'; ++letter) {
            if (!used[letter - 'A'])
                return used[letter - 'A'] = true, letter;
        }
        return 0;
    };
    auto add = [&](const QString& file, std::shared_ptr<Volume> volume) {
        const QString canonical = Canonical(file);
        if (seen.contains(canonical))
            return;
        if (const char letter = nextFree()) {
            drives.push_back({letter, DriveType::cdrom, std::move(volume)});
            seen.append(canonical);
        }
    };
    for (const QString& path : sources.given)
        add(path, MakeAttachedVolume(path));
    for (const QString& device : sources.opticalDevices)
        add(device, MakeIsoVolume(device));
    for (const OpticalMount& mount : sources.mounts)
        add(MountVolume::BackingFile(mount.source),
            std::make_shared<MountVolume>(mount.mountPoint, mount.source));
    return DriveTable(std::move(drives));
}

DriveTable DriveTable::Discover(const QString& mountInfoPath) {
    DriveSources sources;
    QStringList malformed;
    sources.attached = ParseAttachedDrives(qEnvironmentVariable("QUELBY_DRIVES"), &malformed);
    ReportMalformed(QStringLiteral("QUELBY_DRIVES"), malformed);
    malformed.clear();
    // The settings' drives come after this run's: a letter given for the run wins.
    for (AttachedDrive& drive : AttachedInSettings(malformed))
        sources.attached.push_back(std::move(drive));
    ReportMalformed(QStringLiteral("settings [Drives]"), malformed);
    sources.given = g_givenDiscs;
    sources.opticalDevices = PhysicalOpticalDrives();
    sources.mounts = ReadOpticalMounts(mountInfoPath);
    return Build(sources);
}

void DriveTable::SetGivenDiscs(const QStringList& paths) {
    g_givenDiscs.clear();
    for (const QString& path : paths)
        g_givenDiscs.append(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
}

std::shared_ptr<Volume> MakeIsoVolume(const QString& imageOrDevice) {
    return std::make_shared<IsoVolume>(imageOrDevice);
}

std::shared_ptr<Volume> MakeFolderVolume(const QString& folder,
                                         const std::optional<QString>& label) {
    return std::make_shared<FolderVolume>(folder, label);
}

std::shared_ptr<Volume> MakeAttachedVolume(const QString& path) {
    if (QFileInfo(path).isDir())
        return MakeFolderVolume(path);
    return MakeIsoVolume(path);
}
