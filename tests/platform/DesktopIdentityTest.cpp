#include "DesktopIdentity.h"

#include <QIcon>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Where the icon theme does not have it, the window still gets the
// program's icon at every size, on a transparent ground.
TEST(DesktopIdentity, WithoutTheThemesIconTheProgramsOwnServesEverySize) {
    QTemporaryDir noThemes;
    const QStringList searchPaths = QIcon::themeSearchPaths();
    QIcon::setThemeSearchPaths({noThemes.path()});
    const QIcon icon = ThemeIcon(QStringLiteral("com.vantocorp.quelby"));
    QIcon::setThemeSearchPaths(searchPaths);
    const QList<QSize> sizes = icon.availableSizes();
    for (const int side : {16, 22, 24, 32, 48, 64, 128, 256}) {
        EXPECT_TRUE(sizes.contains(QSize(side, side))) << side;
        const QImage image = icon.pixmap(QSize(side, side)).toImage();
        EXPECT_EQ(image.size(), QSize(side, side));
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << side;
    }
}

} // namespace
