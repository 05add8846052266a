#include "DemoDisc.h"

#include "CartoonArt.h"
#include "Catalogue.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <atomic>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <vector>

namespace {

constexpr int kCoreEvery = 50;
constexpr int kFormatCycle = 4;
// 1 December 1996, 00:00 UTC: every date on the disc.
constexpr time_t kDiscTime = 849398400;
constexpr const char* kDiscTimeText = "1996120100000000";
constexpr int kPackTimeoutMs = 10 * 60 * 1000;

QString Latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

bool SetFixedTime(const QString& path) {
    const timespec times[2] = {{kDiscTime, 0}, {kDiscTime, 0}};
    return utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0;
}

QString WriteFile(const QString& path, const QByteArray& bytes) {
    if (bytes.isEmpty())
        return QStringLiteral("nothing to write for %1").arg(path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size() || !file.flush())
        return QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    file.close();
    return {};
}

QString DateTree(const QString& root) {
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    QStringList paths{root};
    while (it.hasNext())
        paths.append(it.next());
    for (const QString& path : paths) {
        if (!SetFixedTime(path))
            return QStringLiteral("cannot date %1").arg(path);
    }
    return {};
}

QStringList XorrisoArguments(const QString& root, const QString& output) {
    const QString date = QString::fromLatin1(kDiscTimeText);
    return {QStringLiteral("-no_rc"),
            QStringLiteral("-report_about"),
            QStringLiteral("SORRY"),
            QStringLiteral("-abort_on"),
            QStringLiteral("FAILURE"),
            QStringLiteral("-outdev"),
            output,
            QStringLiteral("-volid"),
            QString::fromLatin1(kDemoVolumeLabel),
            QStringLiteral("-rockridge"),
            QStringLiteral("off"),
            QStringLiteral("-joliet"),
            QStringLiteral("off"),
            QStringLiteral("-volume_date"),
            QStringLiteral("c"),
            date,
            QStringLiteral("-volume_date"),
            QStringLiteral("m"),
            date,
            QStringLiteral("-volume_date"),
            QStringLiteral("uuid"),
            date,
            QStringLiteral("-volume_date"),
            QStringLiteral("all_file_dates"),
            date,
            QStringLiteral("-map"),
            root,
            QStringLiteral("/"),
            QStringLiteral("-commit")};
}

QStringList GenisoimageArguments(const QString& root, const QString& output) {
    return {QStringLiteral("-quiet"),
            QStringLiteral("-V"),
            QString::fromLatin1(kDemoVolumeLabel),
            QStringLiteral("-o"),
            output,
            root};
}

} // namespace

BmpOptions CartoonFormat(int position) {
    BmpOptions options;
    const bool namesCount = (position / kFormatCycle) % 2 == 1;
    if (position % kCoreEvery == 0) {
        options.format = BmpFormat::core8;
        return options;
    }
    switch (position % kFormatCycle) {
    case 0:
        options.format = BmpFormat::rgb24;
        return options;
    case 1:
        options.format = BmpFormat::rle8;
        break;
    case 2:
        options.format = BmpFormat::indexed8;
        break;
    default:
        options.format = BmpFormat::indexed4;
        break;
    }
    options.explicitColourCount = namesCount;
    return options;
}

QImage CompactPalette(const QImage& indexed) {
    const QList<QRgb> source = indexed.colorTable();
    std::vector<int> remap(static_cast<std::size_t>(source.size()), -1);
    QList<QRgb> used;
    QImage compact = indexed.copy();
    for (int y = 0; y < compact.height(); ++y) {
        uchar* row = compact.scanLine(y);
        for (int x = 0; x < compact.width(); ++x) {
            int& target = remap[row[x]];
            if (target < 0) {
                target = static_cast<int>(used.size());
                used.append(source[row[x]]);
            }
            row[x] = static_cast<uchar>(target);
        }
    }
    compact.setColorTable(used);
    return compact;
}

QByteArray MakeCartoonFile(int position) {
    const BmpOptions options = CartoonFormat(position);
    const bool fourBit = options.format == BmpFormat::indexed4;
    const QImage picture = DrawCartoon(position, !fourBit);
    if (options.format == BmpFormat::rgb24)
        return EncodeBmp(picture, options);
    QImage indexed = MapToPalette(picture, fourBit ? InkPalette() : CubePalette());
    if (options.explicitColourCount)
        indexed = CompactPalette(indexed);
    return EncodeBmp(indexed, options);
}

QByteArray MakeCoverFile(bool trueColour) {
    const QImage cover = DrawCover(true);
    if (trueColour)
        return EncodeBmp(cover, {BmpFormat::rgb24, false});
    return EncodeBmp(MapToPalette(cover, CubePalette()), {BmpFormat::indexed8, false});
}

QString WriteDiscTree(const QString& root, int jobs) {
    QDir dir(root);
    if (!dir.mkpath(QString::fromLatin1(kDemoCartoonFolder)) ||
        !dir.mkpath(QString::fromLatin1(kDemoCoverFolder)))
        return QStringLiteral("cannot make the folders below %1").arg(root);
    const QString cartoons = dir.filePath(QString::fromLatin1(kDemoCartoonFolder));
    const QString covers = dir.filePath(QString::fromLatin1(kDemoCoverFolder));
    QString error = WriteFile(QDir(covers).filePath(Latin1(kCoverFileName)), MakeCoverFile(false));
    if (error.isEmpty())
        error = WriteFile(QDir(covers).filePath(Latin1(kCoverFileName24)), MakeCoverFile(true));
    if (!error.isEmpty())
        return error;

    // Each file depends on its position alone, so the threads may take them
    // in any order.
    std::atomic<int> next{1};
    std::mutex errorLock;
    auto work = [&] {
        for (int position = next++; position <= kCatalogueSize; position = next++) {
            const QString path = QDir(cartoons).filePath(CatalogueNameString(position));
            const QString failed = WriteFile(path, MakeCartoonFile(position));
            if (!failed.isEmpty()) {
                const std::lock_guard<std::mutex> lock(errorLock);
                error = failed;
            }
        }
    };
    std::vector<std::thread> threads;
    for (int i = 1; i < jobs; ++i)
        threads.emplace_back(work);
    work();
    for (std::thread& thread : threads)
        thread.join();
    return error.isEmpty() ? DateTree(root) : error;
}

QString PackDiscImage(const QString& root, const QString& isoPath, const QString& packer) {
    const QString partial = isoPath + QStringLiteral(".part");
    QFile::remove(partial); // an existing image would become a second session
    const bool xorriso = QFileInfo(packer).fileName().contains(QStringLiteral("xorriso"));
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(packer,
                  xorriso ? XorrisoArguments(root, partial) : GenisoimageArguments(root, partial));
    if (!process.waitForStarted())
        return QStringLiteral("cannot start %1").arg(packer);
    if (!process.waitForFinished(kPackTimeoutMs) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        QFile::remove(partial);
        return QStringLiteral("%1 failed (exit code %2)").arg(packer).arg(process.exitCode());
    }
    QFile::remove(isoPath);
    if (!QFile::rename(partial, isoPath))
        return QStringLiteral("cannot move %1 to %2").arg(partial, isoPath);
    return {};
}
