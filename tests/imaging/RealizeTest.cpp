#include "BitmapBuilder.h"
#include "DeviceContext.h"
#include "Paint.h"
#include "Palette.h"

#include <gtest/gtest.h>

namespace {

// The realization steps over the palette stand-in, on a palette display
// (8 bits per pixel, forced) and on a true-colour one.
class RealizeTest : public ::testing::Test {
protected:
    void SetUp() override {
        CDC::ResetSystemPalette();
        m_hDIB = ToHandle(TwoBand8Bit(8, 8, 4, qRgb(200, 10, 10), qRgb(10, 10, 200)));
        ASSERT_TRUE(CreateBitmapPalette(m_hDIB, m_palette));
    }
    void TearDown() override {
        CDC::ForceScreenBitsPixel(0);
        CDC::ResetSystemPalette();
    }
    int RealizeForView(CDC& dc) {
        return RealizeDocumentPalette(dc, m_hDIB, &m_palette, [this] { ++m_updates; });
    }

    HDIB m_hDIB;
    CPalette m_palette;
    int m_updates = 0;
};

TEST_F(RealizeTest, ViewerRepaintsOnlyWhenTheSystemPaletteChanged) {
    CDC::ForceScreenBitsPixel(8);
    CDC dc;
    CPalette* before = dc.GetCurrentPalette();
    EXPECT_EQ(RealizeForView(dc), 0);
    EXPECT_EQ(m_updates, 1);
    // Realized already: nothing changes, no repaint.
    EXPECT_EQ(RealizeForView(dc), 0);
    EXPECT_EQ(m_updates, 1);
    EXPECT_EQ(dc.GetCurrentPalette(), before);
    // Foreground to realize, background to put the old one back, each time.
    ASSERT_EQ(dc.SelectionHistory().size(), 4u);
    EXPECT_EQ(dc.SelectionHistory()[0].pPalette, &m_palette);
    EXPECT_FALSE(dc.SelectionHistory()[0].forceBackground);
    EXPECT_EQ(dc.SelectionHistory()[1].pPalette, before);
    EXPECT_TRUE(dc.SelectionHistory()[1].forceBackground);

    // Another program's palette took the entries: the next activation repaints.
    CPalette other;
    ASSERT_TRUE(other.CreatePalette(Bytes{0x00, 0x03, 0x01, 0x00, 7, 7, 7, 0}));
    CDC otherDc;
    otherDc.SelectPalette(&other, false);
    EXPECT_EQ(otherDc.RealizePalette(), 1);
    RealizeForView(dc);
    EXPECT_EQ(m_updates, 2);
}

TEST_F(RealizeTest, TrueColorKeepsTheOrderButChangesNothing) {
    CDC::ForceScreenBitsPixel(24);
    CDC dc;
    CPalette* before = dc.GetCurrentPalette();
    EXPECT_EQ(RealizeForView(dc), 0);
    EXPECT_EQ(m_updates, 0);
    EXPECT_EQ(dc.GetCurrentPalette(), before);
    ASSERT_EQ(dc.SelectionHistory().size(), 2u);
    EXPECT_FALSE(dc.SelectionHistory()[0].forceBackground);
    EXPECT_TRUE(dc.SelectionHistory()[1].forceBackground);
    dc.SelectPalette(&m_palette, false);
    EXPECT_EQ(dc.RealizePalette(), 0);
}

TEST_F(RealizeTest, NothingHappensWithoutBitmapOrPalette) {
    CDC::ForceScreenBitsPixel(8);
    CDC dc;
    HDIB none;
    EXPECT_EQ(RealizeDocumentPalette(dc, none, &m_palette, [this] { ++m_updates; }), 0);
    EXPECT_EQ(RealizeDocumentPalette(dc, m_hDIB, nullptr, [this] { ++m_updates; }), 0);
    RealizeSaverPalette(dc, none, &m_palette);
    RealizeSaverPalette(dc, m_hDIB, nullptr);
    EXPECT_TRUE(dc.SelectionHistory().empty());
    EXPECT_EQ(m_updates, 0);
}

TEST_F(RealizeTest, SaverRealizesAsBackgroundWithoutRepaint) {
    CDC::ForceScreenBitsPixel(8);
    CDC dc;
    CPalette* before = dc.GetCurrentPalette();
    RealizeSaverPalette(dc, m_hDIB, &m_palette);
    EXPECT_EQ(dc.GetCurrentPalette(), before);
    ASSERT_EQ(dc.SelectionHistory().size(), 2u);
    EXPECT_TRUE(dc.SelectionHistory()[0].forceBackground);
    EXPECT_TRUE(dc.SelectionHistory()[1].forceBackground);
    // The palette is in the system palette now: realizing it again changes nothing.
    dc.SelectPalette(&m_palette, false);
    EXPECT_EQ(dc.RealizePalette(), 0);
}

} // namespace
