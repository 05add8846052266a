#include "DemoDisc.h"

#include "BitmapBuilder.h"
#include "CartoonArt.h"
#include "Catalogue.h"
#include "TempEnvironment.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <thread>

namespace {

std::set<QRgb> Colours(const QImage& image) {
    std::set<QRgb> colours;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y) {
        for (int x = 0; x < rgb.width(); ++x)
            colours.insert(rgb.pixel(x, y));
    }
    return colours;
}

// The first position stored in each form.
std::map<int, int> FirstOfEachForm() {
    std::map<int, int> first;
    for (int position = 1; position <= kCatalogueSize; ++position) {
        const BmpOptions options = CartoonFormat(position);
        first.emplace(int(options.format) * 2 + options.explicitColourCount, position);
    }
    return first;
}

TEST(DemoDisc, TitlesNamePageCategoryAndVariant) {
    EXPECT_EQ(CartoonTitle("1T045AN1.BMP"), QStringLiteral("Page 45 - Animals - 1"));
    EXPECT_EQ(CartoonTitle("1T010AF1.BMP"), QStringLiteral("Page 10 - After Life - 1"));
    EXPECT_EQ(CartoonTitle("1T196WO4.BMP"), QStringLiteral("Page 196 - Work - 4"));
    EXPECT_EQ(CartoonTitle("1T100MO1.BMP"), QStringLiteral("Page 100 - Money - 1"));
}

TEST(DemoDisc, FormsAreMixedAcrossTheDisc) {
    std::map<BmpFormat, int> count;
    for (int position = 1; position <= kCatalogueSize; ++position) {
        const BmpFormat format = CartoonFormat(position).format;
        ++count[format];
        EXPECT_EQ(format == BmpFormat::core8, position % 50 == 0) << position;
    }
    EXPECT_EQ(count[BmpFormat::core8], 14);
    for (BmpFormat format :
         {BmpFormat::indexed8, BmpFormat::rle8, BmpFormat::indexed4, BmpFormat::rgb24})
        EXPECT_GT(count[format], 150) << int(format);
    EXPECT_EQ(FirstOfEachForm().size(), 8u); // counted and uncounted indexed forms too
}

TEST(DemoDisc, EachFormLoadsAsACartoonOfTheRightSize) {
    for (const auto& [form, position] : FirstOfEachForm()) {
        const QByteArray file = MakeCartoonFile(position);
        const BmpOptions options = CartoonFormat(position);
        const bool core = options.format == BmpFormat::core8;
        EXPECT_EQ(U32At(file, 14), core ? 12u : 40u) << position;
        if (!core) {
            EXPECT_EQ(U32At(file, 30), options.format == BmpFormat::rle8 ? 1u : 0u) << position;
        }
        const QImage loaded = QImage::fromData(file, "BMP");
        ASSERT_FALSE(loaded.isNull()) << position;
        EXPECT_GE(loaded.width(), 480);
        EXPECT_LE(loaded.width(), 512);
        EXPECT_GE(loaded.height(), 300);
        EXPECT_LE(loaded.height(), 400);
        // A drawing, not a blank card.
        EXPECT_GE(Colours(loaded).size(), 8u) << position;
    }
}

TEST(DemoDisc, FourBitCartoonsLoseNothingToTheirPalette) {
    const QImage flat = DrawCartoon(3, false);
    const QList<QRgb> inks = InkPalette();
    const std::set<QRgb> allowed(inks.begin(), inks.end());
    for (QRgb colour : Colours(flat))
        EXPECT_TRUE(allowed.count(colour)) << std::hex << colour;
    ASSERT_EQ(CartoonFormat(3).format, BmpFormat::indexed4);
    const QImage loaded = QImage::fromData(MakeCartoonFile(3), "BMP");
    EXPECT_EQ(loaded.convertToFormat(QImage::Format_RGB32), flat);
}

TEST(DemoDisc, CartoonBytesDependOnThePositionAlone) {
    const QByteArray first = MakeCartoonFile(45);
    EXPECT_EQ(MakeCartoonFile(45), first);
    EXPECT_NE(MakeCartoonFile(46), first);
    // The maker draws on several threads at once.
    QByteArray a;
    QByteArray b;
    std::thread one([&] { a = MakeCartoonFile(45); });
    std::thread two([&] { b = MakeCartoonFile(45); });
    one.join();
    two.join();
    EXPECT_EQ(a, first);
    EXPECT_EQ(b, first);
}

TEST(DemoDisc, CoversAre8And24Bit) {
    const QByteArray cover8 = MakeCoverFile(false);
    const QByteArray cover24 = MakeCoverFile(true);
    EXPECT_EQ(U16At(cover8, 28), 8u);
    EXPECT_EQ(U16At(cover24, 28), 24u);
    for (const QByteArray& file : {cover8, cover24}) {
        const QImage loaded = QImage::fromData(file, "BMP");
        EXPECT_EQ(loaded.size(), QSize(512, 400));
        EXPECT_GE(Colours(loaded).size(), 16u);
    }
}

TEST(DemoDisc, CompactPaletteKeepsEveryPixelsColour) {
    const QImage source = ScrambledIndexed(40, 9, CubePalette(), 7);
    QImage sparse = source.copy();
    for (int y = 0; y < sparse.height(); ++y) {
        for (int x = 0; x < sparse.width(); ++x)
            sparse.scanLine(y)[x] = uchar(sparse.scanLine(y)[x] % 23 * 11);
    }
    const QImage compact = CompactPalette(sparse);
    EXPECT_EQ(std::size_t(compact.colorCount()), Colours(sparse).size());
    EXPECT_EQ(compact.convertToFormat(QImage::Format_RGB32),
              sparse.convertToFormat(QImage::Format_RGB32));
}

class DiscImage : public testing::Test {
protected:
    void SetUp() override {
        m_packer = QStandardPaths::findExecutable(QStringLiteral("xorriso"));
        if (m_packer.isEmpty())
            GTEST_SKIP() << "xorriso not installed";
        m_stage = QDir(m_env.Scratch()).filePath(QStringLiteral("disc"));
        ASSERT_TRUE(QDir().mkpath(m_stage + QStringLiteral("/quelby/images/t1")));
        QFile file(m_stage + QStringLiteral("/quelby/images/t1/1T005HI1.BMP"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(MakeCartoonFile(1));
    }
    QString Iso(const char* name) const { return QDir(m_env.Scratch()).filePath(name); }
    static QByteArray Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    TempEnvironment m_env;
    QString m_packer;
    QString m_stage;
};

TEST_F(DiscImage, TwoPackingsGiveTheSameBytesWithTheLabel) {
    ASSERT_EQ(PackDiscImage(m_stage, Iso("a.iso"), m_packer), QString());
    // A newer date on a file must not reach the image.
    QFile file(m_stage + QStringLiteral("/quelby/images/t1/1T005HI1.BMP"));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTimeUtc().addDays(1),
                                 QFileDevice::FileModificationTime));
    file.close();
    ASSERT_EQ(PackDiscImage(m_stage, Iso("b.iso"), m_packer), QString());
    const QByteArray a = Read(Iso("a.iso"));
    ASSERT_GT(a.size(), 17 * 2048);
    EXPECT_EQ(a, Read(Iso("b.iso")));
    // Primary volume descriptor, sector 16: the volume identifier at 40.
    EXPECT_EQ(a.mid(16 * 2048 + 1, 5), QByteArray("CD001"));
    EXPECT_EQ(a.mid(16 * 2048 + 40, 32), QByteArray("QUELBY_CDH").leftJustified(32, ' '));
    EXPECT_TRUE(a.contains("1T005HI1.BMP;1"));
}

TEST_F(DiscImage, RepackingReplacesAnOlderImage) {
    ASSERT_EQ(PackDiscImage(m_stage, Iso("a.iso"), m_packer), QString());
    const QByteArray first = Read(Iso("a.iso"));
    ASSERT_EQ(PackDiscImage(m_stage, Iso("a.iso"), m_packer), QString());
    EXPECT_EQ(Read(Iso("a.iso")), first); // not a second session appended
}

TEST_F(DiscImage, FailingPackerIsReportedAndLeavesNoImage) {
    EXPECT_NE(PackDiscImage(m_stage, Iso("c.iso"), QStringLiteral("/bin/false")), QString());
    EXPECT_FALSE(QFile::exists(Iso("c.iso")));
    EXPECT_FALSE(QFile::exists(Iso("c.iso.part")));
    EXPECT_NE(PackDiscImage(m_stage, Iso("d.iso"), QStringLiteral("/nonexistent/xorriso")),
              QString());
    EXPECT_FALSE(QFile::exists(Iso("d.iso")));
}

} // namespace
