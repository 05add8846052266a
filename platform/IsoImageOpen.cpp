// The forms a disc comes in: a plain image or device, a cue sheet with its
// files, a Nero image, a .bin alone.
#include "CueSheet.h"
#include "IsoImage.h"
#include "NeroImage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
// A cue sheet lists at most 99 tracks in some kilobytes.
constexpr std::uint64_t kMaxSheetBytes = 64 * 1024;
constexpr std::uint32_t kRawStrides[] = {2352, 2336, 2448};

// The file a sheet's FILE line names, as found beside the sheet: the name as
// given, else the one file there whose name matches it regardless of case.
// A path from the ripping machine counts by its file name.
QString FindBeside(const QDir& folder, QString name) {
    if (folder.exists(name))
        return folder.absoluteFilePath(name);
    name = name.mid(
        std::max(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\'))) + 1);
    for (const QString& entry : folder.entryList(QDir::Files)) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return folder.absoluteFilePath(entry);
    }
    return {};
}

std::shared_ptr<IsoImage> OpenSheetFile(const QString& sheetPath) {
    const auto sheet = ReadSmallFile(sheetPath, kMaxSheetBytes);
    if (!sheet)
        return nullptr;
    const QDir folder = QFileInfo(sheetPath).absoluteDir();
    return IsoImage::OpenSheet(*sheet, [&folder](const QByteArray& name) {
        const QString found = FindBeside(folder, QFile::decodeName(name));
        return found.isEmpty() ? nullptr
                               : std::shared_ptr<const ByteSource>(HostBytes::Open(found));
    });
}

// A .bin without a sheet: its raw sectors tell their layout.
std::shared_ptr<IsoImage> OpenRawBin(const std::shared_ptr<const ByteSource>& bytes) {
    for (const std::uint32_t stride : kRawStrides) {
        if (const auto layout = RawTrackLayout(*bytes, 0, UINT64_MAX, stride))
            if (auto image = IsoImage::Mount(SectorReader(bytes, *layout)))
                return image;
    }
    return nullptr;
}
} // namespace

std::shared_ptr<IsoImage> IsoImage::OpenSheet(const QByteArray& sheet, const FileOpener& open) {
    for (const CueTrack& track : CueDataTracks(sheet)) {
        const auto bytes = open(track.file);
        if (!bytes)
            continue;
        const auto layout =
            RawTrackLayout(*bytes, track.start, UINT64_MAX, track.stride, track.mode);
        if (auto image = layout ? Mount(SectorReader(bytes, *layout)) : nullptr)
            return image;
    }
    return nullptr;
}

std::shared_ptr<IsoImage> IsoImage::OpenNero(const std::shared_ptr<const ByteSource>& bytes) {
    for (const TrackLayout& layout : NeroDataTracks(*bytes)) {
        if (auto image = Mount(SectorReader(bytes, layout)))
            return image;
    }
    return nullptr;
}

std::shared_ptr<IsoImage> IsoImage::Open(const QString& imageOrDevice) {
    const QFileInfo file(imageOrDevice);
    const QString suffix = file.suffix().toLower();
    if (suffix == QLatin1String("cue"))
        return OpenSheetFile(imageOrDevice);
    const std::shared_ptr<const ByteSource> bytes = HostBytes::Open(imageOrDevice);
    if (!bytes)
        return nullptr;
    if (suffix == QLatin1String("nrg"))
        return OpenNero(bytes);
    if (auto image = Mount(SectorReader(bytes, TrackLayout{})))
        return image;
    if (suffix != QLatin1String("bin"))
        return nullptr;
    // A .bin is read by the sheet of the same name beside it, else by its own sectors.
    const QString sheet =
        FindBeside(file.absoluteDir(), file.completeBaseName() + QStringLiteral(".cue"));
    if (auto image = sheet.isEmpty() ? nullptr : OpenSheetFile(sheet))
        return image;
    return OpenRawBin(bytes);
}
