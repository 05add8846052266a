// Reads every file of a CD image through the file layer (the image attached
// as drive E, each file opened by its drive path and read whole) and, for
// comparison, the same byte ranges straight from the image file with pread.
//
// The image: QUELBY_BENCH_ISO (for instance build/demo/quelby.iso), else a
// small image made with genisoimage in a temporary folder. When a rip of the
// same disc lies beside the image (quelby.cue with its .bin, as the demo CD
// maker writes it) or QUELBY_BENCH_RIP names one, its files are read too.
#include "Drives.h"
#include "File.h"
#include "IsoImage.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {
struct ImageFile {
    QString drivePath; // "E:\quelby\images\t1\1t005hi1.bmp"
    std::uint32_t lsn;
    std::uint32_t size;
};

std::unique_ptr<QTemporaryDir> g_scratch;
QString g_image;
QString g_rip;
std::vector<ImageFile> g_files;
std::uint64_t g_totalBytes = 0;

// 300 files of 20 to 200 KB in the CD's folder layout.
QString MakeSmallImage() {
    g_scratch = std::make_unique<QTemporaryDir>();
    const QString src = g_scratch->filePath(QStringLiteral("src/quelby/images/t1"));
    QDir().mkpath(src);
    for (int i = 0; i < 300; ++i) {
        QFile file(src + QStringLiteral("/1T%1HI1.BMP").arg(i, 3, 10, QLatin1Char('0')));
        if (file.open(QIODevice::WriteOnly))
            file.write(QByteArray(20000 + (i * 6007) % 180000, static_cast<char>(i)));
    }
    const QString image = g_scratch->filePath(QStringLiteral("bench.iso"));
    QProcess genisoimage;
    genisoimage.start(QStringLiteral("genisoimage"),
                      {QStringLiteral("-quiet"), QStringLiteral("-V"), QStringLiteral("QUELBY_CDH"),
                       QStringLiteral("-o"), image, g_scratch->filePath(QStringLiteral("src"))});
    if (!genisoimage.waitForFinished(120000) || genisoimage.exitCode() != 0)
        return {};
    return image;
}

bool Prepare() {
    g_image = qEnvironmentVariable("QUELBY_BENCH_ISO");
    if (g_image.isEmpty())
        g_image = MakeSmallImage();
    const auto image = g_image.isEmpty() ? nullptr : IsoImage::Open(g_image);
    if (!image) {
        std::fprintf(stderr, "no image to read (set QUELBY_BENCH_ISO or install genisoimage)\n");
        return false;
    }
    image->Walk([](const QString& path, const IsoImage::Entry& entry) {
        // Lower case and without the version, as the programs write names.
        QString name = path.toLower();
        name.truncate(name.lastIndexOf(QLatin1Char(';')) < 0 ? name.size()
                                                             : name.lastIndexOf(QLatin1Char(';')));
        name.replace(QLatin1Char('/'), QLatin1Char('\\'));
        g_files.push_back({QStringLiteral("E:") + name, entry.lsn, entry.size});
        g_totalBytes += entry.size;
    });
    std::fprintf(stderr, "%s: %zu files, %llu bytes\n", qPrintable(g_image), g_files.size(),
                 static_cast<unsigned long long>(g_totalBytes));
    return !g_files.empty();
}

void ReadThroughFileLayer(benchmark::State& state, bool freshTable, const QString& disc) {
    std::vector<char> buffer;
    DriveTable::SetCurrent(DriveTable({{'E', DriveType::cdrom, MakeIsoVolume(disc)}}));
    for (auto _ : state) {
        if (freshTable) // directories read again, as after a start
            DriveTable::SetCurrent(DriveTable({{'E', DriveType::cdrom, MakeIsoVolume(disc)}}));
        for (const ImageFile& f : g_files) {
            CFile file(f.drivePath, CFile::modeRead | CFile::shareDenyWrite);
            buffer.resize(file.GetLength());
            if (file.Read(buffer.data(), static_cast<std::uint32_t>(buffer.size())) != f.size)
                state.SkipWithError("short read");
            benchmark::DoNotOptimize(buffer.data());
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * g_totalBytes));
    state.counters["files"] = static_cast<double>(g_files.size());
}

void BM_FileLayer(benchmark::State& state) {
    ReadThroughFileLayer(state, false, g_image);
}
void BM_FileLayerColdDirectories(benchmark::State& state) {
    ReadThroughFileLayer(state, true, g_image);
}
void BM_FileLayerRip(benchmark::State& state) {
    ReadThroughFileLayer(state, false, g_rip);
}

void BM_PlainPread(benchmark::State& state) {
    const int fd = ::open(QFile::encodeName(g_image).constData(), O_RDONLY | O_CLOEXEC);
    std::vector<char> buffer;
    for (auto _ : state) {
        for (const ImageFile& f : g_files) {
            buffer.resize(f.size);
            if (::pread(fd, buffer.data(), f.size, static_cast<off_t>(f.lsn) * 2048) != f.size)
                state.SkipWithError("short read");
            benchmark::DoNotOptimize(buffer.data());
        }
    }
    ::close(fd);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * g_totalBytes));
}

BENCHMARK(BM_PlainPread)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FileLayer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FileLayerColdDirectories)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (!Prepare())
        return 1;
    g_rip = qEnvironmentVariable("QUELBY_BENCH_RIP");
    const QString beside = g_image.left(g_image.lastIndexOf(QLatin1Char('.'))) + ".cue";
    if (g_rip.isEmpty() && QFile::exists(beside))
        g_rip = beside;
    if (!g_rip.isEmpty())
        benchmark::RegisterBenchmark("BM_FileLayerRip", BM_FileLayerRip)
            ->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_scratch.reset();
    return 0;
}
