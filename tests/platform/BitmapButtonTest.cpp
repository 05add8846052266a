#include "CBitmapButton.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

// The button reads nothing itself: the loader its program passes is asked
// for the bitmap named after the window text, in capitals, with "U" appended.
TEST(BitmapButton, AutoLoadAsksTheLoaderForTheBitmapNamedAfterTheWindowText) {
    QStringList asked;
    const auto loader = [&asked](const QString& path) {
        asked << path;
        return QImage(512, 171, QImage::Format_RGB32);
    };
    CBitmapButton button(QStringLiteral("bbanner"), 1, nullptr);
    EXPECT_TRUE(button.AutoLoad(loader, QStringLiteral(":/art")));
    EXPECT_EQ(asked, QStringList{QStringLiteral(":/art/BBANNERU.bmp")});
    button.SizeToContent();
    EXPECT_EQ(button.size(), QSize(512, 171));
}

} // namespace
