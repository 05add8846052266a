// Read, prepare and paint of a 512 x 400 cartoon in the three forms the CD
// uses, side by side with Qt's own path (QImage loading the same file, then
// drawImage), both painting into an RGB32 image like the offscreen backing
// store. Files are written once to a temporary folder and then read from the
// page cache.
#include "DibFile.h"
#include "DibRenderer.h"
#include "File.h"
#include "Picture.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>

namespace {

constexpr int kWidth = 512;
constexpr int kHeight = 400;

using Bytes = std::vector<std::uint8_t>;

void Put(Bytes& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(std::uint8_t(v >> (8 * i)));
}

// Flat areas with dark outlines, as a cartoon has: palette indices, top row first.
std::vector<Bytes> CartoonIndices() {
    std::vector<Bytes> rows(kHeight, Bytes(kWidth, 255));
    struct Blob {
        int cx, cy, r;
        std::uint8_t fill;
    };
    const Blob blobs[] = {{150, 150, 110, 40},
                          {330, 220, 140, 90},
                          {260, 90, 60, 150},
                          {420, 320, 70, 200},
                          {100, 330, 55, 12}};
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            for (const Blob& b : blobs) {
                const int d = (x - b.cx) * (x - b.cx) + (y - b.cy) * (y - b.cy);
                if (d < b.r * b.r)
                    rows[y][x] = d > (b.r - 3) * (b.r - 3) ? 0 : std::uint8_t(b.fill + (y / 40));
            }
    return rows;
}

QRgb PaletteColor(int i) {
    return qRgb((i * 37) & 0xFF, (i * 91) & 0xFF, (i * 53) & 0xFF);
}

Bytes FileHeader(std::uint32_t bitCount, std::uint32_t compression, std::uint32_t colors,
                 std::uint32_t imageSize) {
    Bytes out{'B', 'M'};
    const std::uint32_t offBits = 14 + 40 + colors * 4;
    Put(out, offBits + imageSize, 4);
    Put(out, 0, 4);
    Put(out, offBits, 4);
    for (std::uint32_t v : {40u, std::uint32_t(kWidth), std::uint32_t(kHeight)})
        Put(out, v, 4);
    Put(out, 1, 2);
    Put(out, bitCount, 2);
    for (std::uint32_t v : {compression, imageSize, 2835u, 2835u, colors, 0u})
        Put(out, v, 4);
    for (std::uint32_t i = 0; i < colors; ++i)
        Put(out, PaletteColor(int(i)) & 0xFFFFFF, 4);
    return out;
}

Bytes Rle8Row(const Bytes& row) {
    Bytes out;
    for (std::size_t x = 0; x < row.size();) {
        std::size_t n = 1;
        while (x + n < row.size() && n < 255 && row[x + n] == row[x])
            ++n;
        out.push_back(std::uint8_t(n));
        out.push_back(row[x]);
        x += n;
    }
    out.insert(out.end(), {0, 0});
    return out;
}

Bytes MakeFile(int form) {
    const std::vector<Bytes> rows = CartoonIndices();
    Bytes bits;
    for (int y = kHeight - 1; y >= 0; --y) {
        if (form == 8) {
            bits.insert(bits.end(), rows[y].begin(), rows[y].end());
        } else if (form == 1) {
            const Bytes rle = Rle8Row(rows[y]);
            bits.insert(bits.end(), rle.begin(), rle.end());
        } else {
            for (std::uint8_t i : rows[y])
                Put(bits, PaletteColor(i) & 0xFFFFFF, 3);
        }
    }
    if (form == 1)
        bits.insert(bits.end(), {0, 1});
    Bytes file = form == 24 ? FileHeader(24, 0, 0, std::uint32_t(bits.size()))
                            : FileHeader(8, form == 1 ? 1 : 0, 256, std::uint32_t(bits.size()));
    file.insert(file.end(), bits.begin(), bits.end());
    return file;
}

// Form 8: 8-bit, 1: 8-bit RLE, 24: 24-bit.
const QString& BenchFile(int form) {
    static QTemporaryDir dir;
    static std::map<int, QString> paths;
    QString& path = paths[form];
    if (path.isEmpty()) {
        path = dir.filePath(QStringLiteral("cartoon%1.bmp").arg(form));
        const Bytes bytes = MakeFile(form);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
    }
    return path;
}

void BM_Ours(benchmark::State& state) {
    const QString& path = BenchFile(int(state.range(0)));
    QImage target(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        CFile file;
        file.Open(path, CFile::modeRead | CFile::shareDenyWrite);
        Picture picture;
        picture.Prepare(ReadBitmapFile(file));
        GlobalLockGuard lock(picture.Dib());
        const QRect whole(QPoint(0, 0), picture.Size());
        QPainter painter(&target);
        benchmark::DoNotOptimize(DrawDib(painter, whole, lock.Data(), lock.Size(), whole));
    }
}

void BM_Qt(benchmark::State& state) {
    const QString& path = BenchFile(int(state.range(0)));
    QImage target(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        const QImage image(path);
        QPainter painter(&target);
        painter.drawImage(QPoint(0, 0), image);
    }
}

} // namespace

BENCHMARK(BM_Ours)->Arg(8)->Arg(1)->Arg(24)->ArgName("form")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Qt)->Arg(8)->Arg(1)->Arg(24)->ArgName("form")->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
