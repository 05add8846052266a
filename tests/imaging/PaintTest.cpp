#include "Paint.h"

#include "BitmapBuilder.h"
#include "DeviceContext.h"
#include "MessageRecorder.h"
#include "Palette.h"

#include <gtest/gtest.h>

namespace {

constexpr QRgb kPicture = 0xFFF08010;

// Paints through a CDC into a sentinel-filled image, with the viewer's frame
// size and the messages passed in.
class PaintTest : public ::testing::Test {
protected:
    void SetUp() override { CDC::ResetSystemPalette(); }
    void TearDown() override {
        CDC::ForceScreenBitsPixel(0);
        CDC::ResetSystemPalette();
    }
    int PaintViewer(CDC& dc, const QRect& dest, HDIB& hDIB, const QRect& source, CPalette* pPalette,
                    bool printing) {
        return PaintBitmap(dc, dest, hDIB, source, pPalette, printing, m_frame, m_messages);
    }
    int PaintSaver(CDC& dc, const QRect& dest, HDIB& hDIB, const QRect& source, QSize screen,
                   bool hasMainWindow = true) {
        return PaintSaverBitmap(dc, dest, hDIB, source, nullptr, screen, hasMainWindow, m_messages);
    }

    QImage m_image = SentinelImage(1300, 1000);
    std::optional<QSize> m_frame = QSize(680, 450); // none: no main window
    MessageRecorder m_messages;
};

struct PositionCase {
    const char* name;
    QSize frame;
    QSize picture;
    QPoint expected;
};

class ViewerPosition : public PaintTest, public ::testing::WithParamInterface<PositionCase> {};

TEST_P(ViewerPosition, PaintsOneToOneAtTheFramePosition) {
    const PositionCase& c = GetParam();
    m_frame = c.frame;
    HDIB hDIB = ToHandle(SolidTrueColor(c.picture.width(), c.picture.height(), kPicture));
    const QRect whole(QPoint(0, 0), c.picture);
    int lines = 0;
    {
        QPainter painter(&m_image);
        CDC dc(painter);
        lines = PaintViewer(dc, whole, hDIB, whole, nullptr, false);
        EXPECT_EQ(dc.GetStretchBltMode(), COLORONCOLOR);
        EXPECT_TRUE(dc.SelectionHistory().empty());
    }
    EXPECT_EQ(lines, c.picture.height());
    EXPECT_EQ(PaintedRect(m_image), QRect(c.expected, c.picture) & m_image.rect());
    EXPECT_EQ(m_image.pixel(std::max(c.expected.x(), 0), c.expected.y() + 1), kPicture);
    EXPECT_EQ(hDIB.LockCount(), 0);
    EXPECT_TRUE(m_messages.Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Frames, ViewerPosition,
    ::testing::Values(PositionCase{"Frame680x450", {680, 450}, {512, 400}, {78, 1}},
                      PositionCase{"Frame640x450", {640, 450}, {512, 400}, {58, 1}},
                      PositionCase{"Frame800x600", {800, 600}, {512, 400}, {138, 70}},
                      PositionCase{
                          "NegativeHalfTruncatesTowardZero", {700, 500}, {705, 100}, {-8, 170}},
                      PositionCase{"Height480StaysAtTop", {640, 480}, {512, 400}, {58, 1}},
                      PositionCase{"Height481Centres", {640, 481}, {512, 400}, {58, 10}},
                      PositionCase{"OddDifference", {641, 483}, {100, 100}, {264, 161}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PaintTest, PrintingPaintsAtOrigin) {
    m_frame = QSize(800, 600);
    HDIB hDIB = ToHandle(SolidTrueColor(512, 400, kPicture));
    const QRect whole(0, 0, 512, 400);
    QPainter painter(&m_image);
    CDC dc(painter);
    EXPECT_EQ(PaintViewer(dc, whole, hDIB, whole, nullptr, true), 400);
    painter.end();
    EXPECT_EQ(PaintedRect(m_image), whole);
}

TEST_F(PaintTest, PrintingScalesToHalfTheDestination) {
    HDIB hDIB = ToHandle(SolidTrueColor(512, 400, kPicture));
    QPainter painter(&m_image);
    CDC dc(painter);
    // The destination's own position never moves the picture.
    EXPECT_GT(
        PaintViewer(dc, QRect(50, 60, 2400, 1800), hDIB, QRect(0, 0, 512, 400), nullptr, true), 0);
    painter.end();
    EXPECT_EQ(PaintedRect(m_image), QRect(0, 0, 1200, 900));
    EXPECT_EQ(m_image.pixel(1199, 899), kPicture);
}

// The source rectangle's top is measured from the picture's top row, both
// one to one and scaled.
TEST_F(PaintTest, SourceRectangleCountsFromTheTopRow) {
    const QRgb top = qRgb(255, 0, 0);
    const QRgb bottom = qRgb(0, 0, 255);
    HDIB hDIB = ToHandle(TwoBand8Bit(40, 30, 10, top, bottom));
    QPainter painter(&m_image);
    CDC dc(painter);
    const QRect lower(0, 10, 40, 20);
    EXPECT_GT(PaintViewer(dc, QRect(0, 0, 40, 20), hDIB, lower, nullptr, true), 0);
    EXPECT_EQ(m_image.pixel(0, 0), bottom);
    EXPECT_EQ(m_image.pixel(39, 19), bottom);

    m_image.fill(kSentinel);
    const QRect upper(0, 0, 40, 10);
    EXPECT_GT(PaintViewer(dc, QRect(0, 0, 160, 60), hDIB, upper, nullptr, true), 0);
    painter.end();
    EXPECT_EQ(PaintedRect(m_image), QRect(0, 0, 80, 30));
    EXPECT_EQ(m_image.pixel(0, 0), top);
    EXPECT_EQ(m_image.pixel(79, 29), top);
}

TEST_F(PaintTest, PaletteIsSelectedBackAfterPainting) {
    HDIB hDIB = ToHandle(TwoBand8Bit(16, 16, 8, qRgb(1, 2, 3), qRgb(4, 5, 6)));
    CPalette palette;
    ASSERT_TRUE(CreateBitmapPalette(hDIB, palette));
    QPainter painter(&m_image);
    CDC dc(painter);
    CPalette* before = dc.GetCurrentPalette();
    const QRect whole(0, 0, 16, 16);
    EXPECT_EQ(PaintViewer(dc, whole, hDIB, whole, &palette, false), 16);
    EXPECT_EQ(dc.GetCurrentPalette(), before);
    ASSERT_EQ(dc.SelectionHistory().size(), 2u);
    EXPECT_EQ(dc.SelectionHistory()[0].pPalette, &palette);
    EXPECT_TRUE(dc.SelectionHistory()[0].forceBackground);
    EXPECT_EQ(dc.SelectionHistory()[1].pPalette, before);
    EXPECT_TRUE(dc.SelectionHistory()[1].forceBackground);
}

TEST_F(PaintTest, NoBitmapShowsErrorInViewerOnly) {
    HDIB none;
    CPalette palette;
    ASSERT_TRUE(palette.CreatePalette(Bytes{0x00, 0x03, 0x01, 0x00, 1, 2, 3, 0}));
    QPainter painter(&m_image);
    CDC dc(painter);
    const QRect whole(0, 0, 10, 10);
    EXPECT_EQ(PaintViewer(dc, whole, none, whole, &palette, false), 0);
    EXPECT_EQ(m_messages.Texts(), QStringList{QStringLiteral("error")});
    EXPECT_EQ(m_messages.Messages()[0].box, MessageRecorder::Box::App);
    EXPECT_EQ(PaintSaverBitmap(dc, whole, none, whole, &palette, QSize(640, 480), true, m_messages),
              0);
    EXPECT_EQ(m_messages.Messages().size(), 1u);
    EXPECT_TRUE(dc.SelectionHistory().empty());
    painter.end();
    EXPECT_TRUE(PaintedRect(m_image).isNull());
}

TEST_F(PaintTest, NoMainWindowViewerReportsAndPaintsNothing) {
    m_frame = std::nullopt;
    HDIB hDIB = ToHandle(TwoBand8Bit(16, 16, 8, qRgb(1, 2, 3), qRgb(4, 5, 6)));
    CPalette palette;
    ASSERT_TRUE(CreateBitmapPalette(hDIB, palette));
    QPainter painter(&m_image);
    CDC dc(painter);
    CPalette* before = dc.GetCurrentPalette();
    const QRect whole(0, 0, 16, 16);
    EXPECT_EQ(PaintViewer(dc, whole, hDIB, whole, &palette, false), 0);
    painter.end();
    ASSERT_EQ(m_messages.Messages().size(), 1u);
    EXPECT_EQ(m_messages.Messages()[0].text, QStringLiteral("Unable to get handle"));
    EXPECT_EQ(m_messages.Messages()[0].box, MessageRecorder::Box::Plain);
    EXPECT_TRUE(PaintedRect(m_image).isNull());
    EXPECT_EQ(dc.GetCurrentPalette(), before);
    EXPECT_EQ(hDIB.LockCount(), 0);
}

struct SaverCase {
    const char* name;
    QSize screen;
    QSize picture;
    QPoint expected;
};

class SaverPosition : public PaintTest, public ::testing::WithParamInterface<SaverCase> {};

TEST_P(SaverPosition, CentresOnTheScreen) {
    const SaverCase& c = GetParam();
    HDIB hDIB = ToHandle(SolidTrueColor(c.picture.width(), c.picture.height(), kPicture));
    const QRect whole(QPoint(0, 0), c.picture);
    QPainter painter(&m_image);
    CDC dc(painter);
    EXPECT_EQ(PaintSaver(dc, whole, hDIB, whole, c.screen), c.picture.height());
    painter.end();
    EXPECT_EQ(PaintedRect(m_image), QRect(c.expected, c.picture) & m_image.rect());
    EXPECT_TRUE(m_messages.Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Screens, SaverPosition,
    ::testing::Values(SaverCase{"Screen640x480", {640, 480}, {350, 400}, {145, 40}},
                      SaverCase{"OddDifference", {800, 600}, {511, 171}, {144, 214}},
                      SaverCase{"LargerThanScreen", {640, 480}, {700, 521}, {-30, -20}},
                      SaverCase{"NegativeOddTruncates", {640, 480}, {643, 485}, {-1, -2}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PaintTest, SaverWithoutMainWindowReportsAndStillPaints) {
    HDIB hDIB = ToHandle(SolidTrueColor(350, 400, kPicture));
    const QRect whole(0, 0, 350, 400);
    QPainter painter(&m_image);
    CDC dc(painter);
    EXPECT_EQ(PaintSaver(dc, whole, hDIB, whole, QSize(640, 480), false), 400);
    painter.end();
    EXPECT_EQ(m_messages.Texts(), QStringList{QStringLiteral("Unable to get handle")});
    EXPECT_EQ(m_messages.Messages()[0].box, MessageRecorder::Box::Plain);
    EXPECT_EQ(PaintedRect(m_image), QRect(145, 40, 350, 400));
}

// A header that claims more than its block holds paints nothing, whatever
// the routine, and is never read past.
TEST_F(PaintTest, BitmapReachingPastItsBlockPaintsNothing) {
    Bytes pixelsCut = SolidTrueColor(64, 64, kPicture);
    pixelsCut.resize(pixelsCut.size() - 1);
    const Bytes tableCut = WithTableAndBits(InfoHeader({8, 8, 8, 0, 0, 0}), {kPicture}, 0);
    Bytes shortHeader = InfoHeader({8, 8, 24, 0, 0, 0});
    shortHeader.resize(30);
    for (const Bytes& dib : {pixelsCut, tableCut, shortHeader}) {
        HDIB hDIB = ToHandle(dib);
        const QRect whole(0, 0, 64, 64);
        QPainter painter(&m_image);
        CDC dc(painter);
        EXPECT_EQ(PaintViewer(dc, whole, hDIB, whole, nullptr, false), 0);
        EXPECT_EQ(PaintViewer(dc, QRect(0, 0, 500, 500), hDIB, whole, nullptr, true), 0);
        EXPECT_EQ(PaintSaver(dc, whole, hDIB, whole, QSize(640, 480)), 0);
        painter.end();
        EXPECT_TRUE(PaintedRect(m_image).isNull());
    }
}

} // namespace
