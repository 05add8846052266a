#include "Wallpaper.h"

#include "DesktopStandIns.h"
#include "QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

using Outcome = wallpaper::Result::Outcome;

// What a desktop's tools list: two monitors' backdrops of one workspace, and
// a placement setting that must stay as it is.
const QString kXfceProperties =
    QStringLiteral("/backdrop/screen0/monitorHDMI-1/workspace0/image-style\n"
                   "/backdrop/screen0/monitorHDMI-1/workspace0/last-image\n"
                   "/backdrop/screen0/monitoreDP-1/workspace0/last-image\n"
                   "/backdrop/single-workspace-mode\n");
const QString kGnomeKeys = QStringLiteral("color-shading-type\npicture-options\npicture-uri\n"
                                          "picture-uri-dark\nprimary-color\n");

class Wallpaper : public ::testing::Test {
protected:
    Wallpaper() {
        QDir().mkpath(m_dir.filePath(QStringLiteral("Vanto Corp")));
        // A path a shell would split and a quote it would choke on.
        path = m_dir.filePath(QStringLiteral("Vanto Corp/quel'by wp.bmp"));
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(picture);
    }
    // The desktop's tools, all answering as on a working desktop.
    void AllTools() {
        tools.Add(QStringLiteral("gsettings"), kGnomeKeys, 0, QStringLiteral("list-keys"));
        tools.Add(QStringLiteral("xfconf-query"), kXfceProperties, 0, QStringLiteral("-c"));
    }
    wallpaper::Result Set(const QString& desktop) {
        ScopedEnv current("XDG_CURRENT_DESKTOP", desktop);
        return wallpaper::SetDesktopWallpaper(path, options);
    }
    // The images the Plasma scripts gave the desktops, in order.
    QStringList PlasmaImages() const {
        QStringList images;
        static const QRegularExpression write(
            QStringLiteral(R"re(writeConfig\("Image", "([^"]*)"\))re"));
        for (const QString& line : bus.Record()) {
            const QRegularExpressionMatch m = write.match(line);
            if (m.hasMatch())
                images << m.captured(1);
        }
        return images;
    }
    QString Uri() const { return QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded); }

    QTemporaryDir m_dir;
    QString path;
    QByteArray picture = QByteArrayLiteral("BM the picture");
    wallpaper::Options options{5000, 5000};
    PrivateSessionBus bus; // before the tools: the bus is found on the real PATH
    StandInTools tools;
};

// The desktop named in XDG_CURRENT_DESKTOP decides the way; each way sets the
// picture and nothing else (the placement stays the user's). The transcript
// holds every tool call and every call the bus's stand-ins saw, in order per
// tool, with {uri} and {path} for the picture's file URI and path.
struct DesktopCase {
    const char* name;
    const char* desktop;
    const char* way;
    const char* transcript;
};

class WallpaperByDesktop : public Wallpaper, public ::testing::WithParamInterface<DesktopCase> {};

TEST_P(WallpaperByDesktop, TakesTheDesktopsOwnWay) {
    ASSERT_TRUE(bus.StartStandIn(
        {QStringLiteral("--portal"), QStringLiteral("0"), QStringLiteral("--plasma")}));
    AllTools();
    const wallpaper::Result result = Set(QString::fromLatin1(GetParam().desktop));
    EXPECT_TRUE(result.Set()) << result.problem.toStdString();
    EXPECT_EQ(result.tried, QStringList{QString::fromLatin1(GetParam().way)});
    QStringList transcript;
    for (const QString& tool : {QStringLiteral("gsettings"), QStringLiteral("xfconf-query")}) {
        for (const QStringList& call : tools.Calls(tool))
            transcript << tool + QLatin1Char(' ') + call.join(QLatin1Char(' '));
    }
    for (const QString& image : PlasmaImages())
        transcript << QStringLiteral("Image ") + image;
    transcript << bus.Record().filter(QStringLiteral("SetWallpaperFile"));
    EXPECT_EQ(transcript.join(QLatin1Char('\n')), QString::fromLatin1(GetParam().transcript)
                                                      .replace(QStringLiteral("{uri}"), Uri())
                                                      .replace(QStringLiteral("{path}"), path));
    EXPECT_EQ(QUrl(Uri()).toLocalFile(), path);
    // The portal reads the very file, through the descriptor it was handed.
    if (result.tried.contains(QStringLiteral("desktop portal"))) {
        EXPECT_EQ(bus.PortalFile(), picture);
    }
    // Plasma is told of the plugin, never of the placement.
    const QString script = bus.Record().join(QLatin1Char('\n'));
    EXPECT_FALSE(script.contains(QStringLiteral("FillMode")));
}

#define GNOME_CALLS                                                                                \
    "gsettings list-keys org.gnome.desktop.background\n"                                           \
    "gsettings set org.gnome.desktop.background picture-uri {uri}\n"                               \
    "gsettings set org.gnome.desktop.background picture-uri-dark {uri}"
#define XFCE_SET(monitor)                                                                          \
    "xfconf-query -c xfce4-desktop -p /backdrop/screen0/monitor" monitor                           \
    "/workspace0/last-image -s {path}"
#define PORTAL_CALL "SetWallpaperFile parent=[] show-preview=false set-on=background"

INSTANTIATE_TEST_SUITE_P(
    Desktops, WallpaperByDesktop,
    ::testing::Values(
        DesktopCase{"Gnome", "GNOME", "GNOME", GNOME_CALLS},
        DesktopCase{"Ubuntu", "ubuntu:GNOME", "GNOME", GNOME_CALLS},
        DesktopCase{"Cinnamon", "X-Cinnamon", "Cinnamon",
                    "gsettings set org.cinnamon.desktop.background picture-uri {uri}"},
        DesktopCase{"Mate", "MATE", "MATE",
                    "gsettings set org.mate.background picture-filename {path}"},
        // Another name first, so that Plasma reads a file of the same name again.
        DesktopCase{"Plasma", "KDE", "KDE Plasma", "Image \nImage {uri}"},
        DesktopCase{"PlasmaLowerCase", "kde", "KDE Plasma", "Image \nImage {uri}"},
        DesktopCase{"Xfce", "XFCE", "Xfce",
                    "xfconf-query -c xfce4-desktop -l\n" XFCE_SET("HDMI-1") "\n" XFCE_SET("eDP-1")},
        DesktopCase{"Lxqt", "LXQt", "desktop portal", PORTAL_CALL},
        DesktopCase{"Unnamed", "", "desktop portal", PORTAL_CALL}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Wallpaper, AnOlderGnomeGetsNoDarkPicture) {
    tools.Add(QStringLiteral("gsettings"), QStringLiteral("picture-options\npicture-uri\n"), 0,
              QStringLiteral("list-keys"));
    EXPECT_TRUE(Set(QStringLiteral("GNOME")).Set());
    const auto calls = tools.Calls(QStringLiteral("gsettings"));
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].value(2), QStringLiteral("picture-uri"));
}

TEST_F(Wallpaper, AFailingToolHandsOverToThePortal) {
    ASSERT_TRUE(bus.StartStandIn({QStringLiteral("--portal"), QStringLiteral("0")}));
    tools.Add(QStringLiteral("gsettings"), QString(), 1);
    const wallpaper::Result result = Set(QStringLiteral("GNOME"));
    EXPECT_TRUE(result.Set());
    EXPECT_EQ(result.tried,
              (QStringList{QStringLiteral("GNOME"), QStringLiteral("desktop portal")}));
    EXPECT_EQ(bus.PortalFile(), picture);
}

TEST_F(Wallpaper, AnXfceWithoutBackdropsAndARefusingPlasmaHandOverToThePortal) {
    ASSERT_TRUE(bus.StartStandIn(
        {QStringLiteral("--portal"), QStringLiteral("0"), QStringLiteral("--plasma-refuse")}));
    tools.Add(QStringLiteral("xfconf-query"), QStringLiteral("/backdrop/single-workspace-mode\n"));
    EXPECT_TRUE(Set(QStringLiteral("XFCE")).Set());
    EXPECT_EQ(tools.Calls(QStringLiteral("xfconf-query")).size(), 1u); // the listing only
    EXPECT_TRUE(Set(QStringLiteral("KDE")).Set());
    EXPECT_EQ(bus.Record().count(QStringLiteral("evaluateScript")), 1);
    EXPECT_EQ(bus.Record().filter(QStringLiteral("SetWallpaperFile")).size(), 2);
}

TEST_F(Wallpaper, APortalThatDeclinesCancelsAndOneThatFailsSaysSo) {
    ASSERT_TRUE(bus.StartStandIn({QStringLiteral("--portal"), QStringLiteral("1")}));
    EXPECT_EQ(Set(QStringLiteral("LXQt")).outcome, Outcome::cancelled);
    PrivateSessionBus failing;
    ASSERT_TRUE(failing.StartStandIn({QStringLiteral("--portal"), QStringLiteral("2")}));
    const wallpaper::Result result = Set(QStringLiteral("LXQt"));
    EXPECT_EQ(result.outcome, Outcome::failed);
    EXPECT_EQ(result.problem, QStringLiteral("the desktop portal could not set it"));
}

TEST_F(Wallpaper, NoWayLeftGivesEveryReason) {
    // No tools, and a bus on which no portal answers.
    const wallpaper::Result result = Set(QStringLiteral("GNOME"));
    EXPECT_EQ(result.outcome, Outcome::failed);
    EXPECT_TRUE(result.problem.startsWith(QStringLiteral("gsettings is not installed; ")))
        << result.problem.toStdString();
    EXPECT_TRUE(result.problem.contains(QStringLiteral("no desktop portal answers")))
        << result.problem.toStdString();
}

} // namespace
