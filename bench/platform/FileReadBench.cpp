// Reads every file of a CD image through the file layer (the image attached
// as drive E, each file opened by its drive path and read whole) and, for
// comparison, the same byte ranges straight from the image file with pread.
//
// Two discs: QUELBY_BENCH_ISO (for instance build/demo/quelby.iso), else 300
// files of 20 to 200 KB made with genisoimage in a temporary folder; and
// always 743 files of 2 to 8 KB, where the cost of each open shows. When a rip
// of the first disc lies beside it (quelby.cue with its .bin, as the demo CD
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

struct Disc {
    QString image;
    std::vector<ImageFile> files;
    std::uint64_t totalBytes = 0;
};

std::unique_ptr<QTemporaryDir> g_scratch;
Disc g_large;
Disc g_small;
QString g_rip;

// `count` files of the sizes `size` gives, in the CD's folder layout.
QString MakeImage(const QString& name, int count, int (*size)(int)) {
    const QString src = g_scratch->filePath(name + QStringLiteral("/quelby/images/t1"));
    QDir().mkpath(src);
    for (int i = 0; i < count; ++i) {
        QFile file(src + QStringLiteral("/1T%1HI1.BMP").arg(i, 3, 10, QLatin1Char('0')));
        if (file.open(QIODevice::WriteOnly))
            file.write(QByteArray(size(i), static_cast<char>(i)));
    }
    const QString image = g_scratch->filePath(name + QStringLiteral(".iso"));
    QProcess genisoimage;
    genisoimage.start(QStringLiteral("genisoimage"),
                      {QStringLiteral("-quiet"), QStringLiteral("-V"), QStringLiteral("QUELBY_CDH"),
                       QStringLiteral("-o"), image, g_scratch->filePath(name)});
    if (!genisoimage.waitForFinished(120000) || genisoimage.exitCode() != 0)
        return {};
    return image;
}

bool Prepare(Disc& disc) {
    const auto image = disc.image.isEmpty() ? nullptr : IsoImage::Open(disc.image);
    if (!image) {
        std::fprintf(stderr, "no image to read (set QUELBY_BENCH_ISO or install genisoimage)\n");
        return false;
    }
    image->Walk([&disc](const QString& path, const IsoImage::Entry& entry) {
        // Lower case and without the version, as the programs write names.
        QString name = path.toLower();
        name.truncate(name.lastIndexOf(QLatin1Char(';')) < 0 ? name.size()
                                                             : name.lastIndexOf(QLatin1Char(';')));
        name.replace(QLatin1Char('/'), QLatin1Char('\\'));
        disc.files.push_back({QStringLiteral("E:") + name, entry.lsn, entry.size});
        disc.totalBytes += entry.size;
    });
    std::fprintf(stderr, "%s: %zu files, %llu bytes\n", qPrintable(disc.image), disc.files.size(),
                 static_cast<unsigned long long>(disc.totalBytes));
    return !disc.files.empty();
}

void ReadThroughFileLayer(benchmark::State& state, const Disc& disc, bool freshTable,
                          const QString& attached) {
    std::vector<char> buffer;
    DriveTable::SetCurrent(DriveTable({{'E', DriveType::cdrom, MakeIsoVolume(attached)}}));
    for (auto _ : state) {
        if (freshTable) // directories read again, as after a start
            DriveTable::SetCurrent(DriveTable({{'E', DriveType::cdrom, MakeIsoVolume(attached)}}));
        for (const ImageFile& f : disc.files) {
            CFile file(f.drivePath, CFile::modeRead | CFile::shareDenyWrite);
            buffer.resize(file.GetLength());
            if (file.Read(buffer.data(), static_cast<std::uint32_t>(buffer.size())) != f.size)
                state.SkipWithError("short read");
            benchmark::DoNotOptimize(buffer.data());
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * disc.totalBytes));
    state.counters["files"] = static_cast<double>(disc.files.size());
}

void PlainPread(benchmark::State& state, const Disc& disc) {
    const int fd = ::open(QFile::encodeName(disc.image).constData(), O_RDONLY | O_CLOEXEC);
    std::vector<char> buffer;
    for (auto _ : state) {
        for (const ImageFile& f : disc.files) {
            buffer.resize(f.size);
            if (::pread(fd, buffer.data(), f.size, static_cast<off_t>(f.lsn) * 2048) != f.size)
                state.SkipWithError("short read");
            benchmark::DoNotOptimize(buffer.data());
        }
    }
    ::close(fd);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * disc.totalBytes));
}

void BM_PlainPread(benchmark::State& state) {
    PlainPread(state, g_large);
}
void BM_FileLayer(benchmark::State& state) {
    ReadThroughFileLayer(state, g_large, false, g_large.image);
}
void BM_FileLayerColdDirectories(benchmark::State& state) {
    ReadThroughFileLayer(state, g_large, true, g_large.image);
}
void BM_FileLayerRip(benchmark::State& state) {
    ReadThroughFileLayer(state, g_large, false, g_rip);
}
void BM_PlainPreadSmallFiles(benchmark::State& state) {
    PlainPread(state, g_small);
}
void BM_FileLayerSmallFiles(benchmark::State& state) {
    ReadThroughFileLayer(state, g_small, false, g_small.image);
}

BENCHMARK(BM_PlainPread)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FileLayer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FileLayerColdDirectories)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainPreadSmallFiles)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FileLayerSmallFiles)->Unit(benchmark::kMicrosecond);
} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    g_scratch = std::make_unique<QTemporaryDir>();
    g_large.image = qEnvironmentVariable("QUELBY_BENCH_ISO");
    if (g_large.image.isEmpty())
        g_large.image = MakeImage(QStringLiteral("large"), 300,
                                  [](int i) { return 20000 + (i * 6007) % 180000; });
    g_small.image =
        MakeImage(QStringLiteral("small"), 743, [](int i) { return 2000 + (i * 977) % 6000; });
    if (!Prepare(g_large) || !Prepare(g_small))
        return 1;
    g_rip = qEnvironmentVariable("QUELBY_BENCH_RIP");
    const QString beside = g_large.image.left(g_large.image.lastIndexOf(QLatin1Char('.'))) + ".cue";
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
