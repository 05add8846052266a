#include "DiscFuzzTarget.h"

#include "FolderVolume.h"
#include "IsoFile.h"
#include "IsoImage.h"
#include "VolumePath.h"

#include <QByteArray>
#include <memory>

namespace {
enum class Form { plain, sheet, nero, folder };

const QString kPaths[] = {
    QStringLiteral(R"(quelby\images\t1\1T005HI1.BMP)"),
    QStringLiteral(R"(\quelby\images\col\splash24.bmp)"),
    QStringLiteral(R"(quelby/../quelby/images/t1/1t208hi1.bmp;1)"),
    QStringLiteral("x"),
};
// Reads stop here: what a file claims beyond is the file layer's to refuse.
constexpr std::uint32_t kMostRead = 256 * 1024;
constexpr int kMostFilesRead = 32;
// A folder of the disc holds a few hundred entries.
constexpr qsizetype kMostNames = 64;

// The file read whole, then again in odd pieces from an odd place.
void ReadFile(const std::shared_ptr<IsoImage>& image, const IsoImage::Entry& entry) {
    IsoFile file(image, entry);
    // Exactly as large as asked, so that a read past it is caught; left
    // uninitialised, as the programs' own buffers are.
    const std::uint32_t size = std::min(entry.size, kMostRead);
    const auto buffer = std::make_unique_for_overwrite<char[]>(std::max<std::uint32_t>(size, 1000));
    try {
        file.Read(buffer.get(), size);
        file.SetPosition(entry.size / 3);
        while (file.Read(buffer.get(), 1000) == 1000 && file.Position() < kMostRead) {
        }
    } catch (const CFileException&) {
        // A damaged disc's read fails: that is the answer.
    }
}

void RunImage(const std::shared_ptr<IsoImage>& image) {
    if (!image)
        return;
    (void)image->Label();
    for (const QString& path : kPaths) {
        CFileException::Cause cause{};
        if (const auto entry = image->FindPath(path, cause))
            ReadFile(image, *entry);
    }
    int read = 0;
    image->Walk([&](const QString&, const IsoImage::Entry& entry) {
        if (read++ < kMostFilesRead)
            ReadFile(image, entry);
    });
}

void RunFolder(const QByteArray& bytes) {
    qsizetype at = bytes.indexOf('\0');
    (void)FolderVolume::LabelLine(
        bytes.left(std::min<qsizetype>(at < 0 ? bytes.size() : at, 4096)));
    QStringList names;
    while (at >= 0 && names.size() < kMostNames) {
        const qsizetype end = bytes.indexOf('\0', at + 1);
        names.append(QString::fromUtf8(bytes.mid(at + 1, end < 0 ? -1 : end - at - 1)));
        at = end;
    }
    for (const QString& path : kPaths) {
        if (const auto components = volumepath::Split(path))
            for (const QString& component : *components)
                (void)FolderVolume::MatchEntry(names, component);
    }
}
} // namespace

void RunDiscInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return;
    // The input's own bytes, read in place, so that a read past them is caught.
    const QByteArray rest = QByteArray::fromRawData(reinterpret_cast<const char*>(data) + 1,
                                                    static_cast<qsizetype>(size - 1));
    switch (static_cast<Form>(data[0] % 4)) {
    case Form::plain:
        RunImage(IsoImage::Mount(SectorReader(std::make_shared<MemoryBytes>(rest), TrackLayout{})));
        break;
    case Form::sheet: {
        const qsizetype end = rest.indexOf('\0');
        const auto track =
            std::make_shared<MemoryBytes>(end < 0 ? QByteArray() : rest.mid(end + 1));
        // Real sheets are some hundred bytes; the parser works line by line.
        RunImage(
            IsoImage::OpenSheet(rest.left(std::min<qsizetype>(end < 0 ? rest.size() : end, 4096)),
                                [&track](const QByteArray&) { return track; }));
        break;
    }
    case Form::nero:
        RunImage(IsoImage::OpenNero(std::make_shared<MemoryBytes>(rest)));
        break;
    case Form::folder:
        RunFolder(rest);
        break;
    }
}
