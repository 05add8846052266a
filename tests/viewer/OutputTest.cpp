#include "BitmapBuilder.h"
#include "CBitmapButton.h"
#include "CMainFrame.h"
#include "ClipboardCopy.h"
#include "CquelbyApp.h"
#include "CquelbyDoc.h"
#include "CquelbyView.h"
#include "DesktopStandIns.h"
#include "PrivateProfile.h"
#include "TempEnvironment.h"
#include "TestDisc.h"
#include "ViewerIds.h"
#include "ViewerTestSupport.h"
#include "Viewing.h"

#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

using namespace ids;

const QString kQuestion = QStringLiteral("Change Windows Wallpaper to Current Image?");

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// A .BMP file with a core header: 4 bits, 3 x 2 pixels over a 16-colour table.
QByteArray CoreHeaderFile() {
    std::vector<QRgb> colors(16, qRgb(0, 0, 0));
    colors[1] = qRgb(200, 10, 20);
    colors[2] = qRgb(10, 150, 250);
    const Bytes dib =
        BuildDib({3, 2, 4, 0, true, 0, colors, StoreRows({{0x12, 0x10}, {0x21, 0x20}})});
    Bytes file(14, 0);
    file[0] = 'B';
    file[1] = 'M';
    PutU32(file, 2, std::uint32_t(14 + dib.size()));
    file.insert(file.end(), dib.begin(), dib.end());
    return QByteArray(reinterpret_cast<const char*>(file.data()), qsizetype(file.size()));
}

class Output : public ::testing::Test {
protected:
    Output() : disc(env.Scratch() + QStringLiteral("/disc")) {
        disc.AddCartoons(SomeCartoonNames());
        disc.Insert('D');
        tools.Add(QStringLiteral("gsettings"), QStringLiteral("picture-uri\n"), 0,
                  QStringLiteral("list-keys"));
        app.InitInstance({});
        wallpaperPath = privateprofile::WindowsDirectory() + QStringLiteral("/quelbywp.bmp");
    }
    bool Run(int id) { return app.Frame()->Router().Execute(id); }
    void Forward(int steps) {
        for (int i = 0; i < steps; ++i)
            Run(ID_FORWARD);
    }
    QString Shown() const { return app.Model().State().m_strCurrentName; }
    QStringList PicturesSet() const {
        QStringList uris;
        for (const QStringList& call : tools.Calls(QStringLiteral("gsettings"))) {
            if (call.value(0) == QLatin1String("set"))
                uris << call.value(3);
        }
        return uris;
    }
    void Open(const QByteArray& bytes) {
        const QString path = env.Scratch() + QStringLiteral("/opened.bmp");
        WriteAll(path, bytes);
        ASSERT_TRUE(app.Document()->OnOpenDocument(path));
    }

    TempEnvironment env;
    ForcedScreen screen{800, 600, 24};
    TestDisc disc;
    PrivateSessionBus bus; // no portal answers on it
    StandInTools tools;
    ScopedEnv desktop{"XDG_CURRENT_DESKTOP", QStringLiteral("GNOME")};
    MessageRecorder messages;
    CquelbyApp app;
    QString wallpaperPath;
};

TEST_F(Output, WallpaperWritesTheCartoonAndMakesItTheDesktopPicture) {
    Forward(3);
    ASSERT_TRUE(Run(ID_WALLPAPER));
    ASSERT_EQ(messages.Texts(), QStringList{kQuestion});
    EXPECT_EQ(messages.Messages()[0].type & MB_TYPEMASK, unsigned(MB_YESNO));
    EXPECT_EQ(ReadAll(wallpaperPath), ReadAll(disc.FilePath(Shown())));
    ASSERT_EQ(PicturesSet().size(), 1);
    EXPECT_EQ(QUrl(PicturesSet()[0]).toLocalFile(), wallpaperPath);
    // Every use writes the same file again, and leaves nothing else behind.
    Forward(1);
    Run(ID_WALLPAPER);
    EXPECT_EQ(ReadAll(wallpaperPath), ReadAll(disc.FilePath(Shown())));
    EXPECT_EQ(QDir(privateprofile::WindowsDirectory()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("quelbywp.bmp")});
    EXPECT_EQ(PicturesSet().size(), 2);
}

TEST_F(Output, NoLeavesTheFileAndTheDesktopAlone) {
    WriteAll(wallpaperPath, "earlier picture");
    messages.Answer({IDNO});
    Forward(1);
    Run(ID_WALLPAPER);
    EXPECT_EQ(messages.Texts(), QStringList{kQuestion});
    EXPECT_EQ(ReadAll(wallpaperPath), QByteArray("earlier picture"));
    EXPECT_TRUE(tools.Calls(QStringLiteral("gsettings")).empty());
}

TEST_F(Output, AFailedWriteKeepsTheEarlierFileAndTheDesktop) {
    WriteAll(wallpaperPath, "earlier picture");
    const UnwritableFile unwritable(wallpaperPath);
    if (!unwritable.Held())
        GTEST_SKIP() << "the wallpaper file cannot be made unwritable here";
    Forward(1);
    Run(ID_WALLPAPER);
    EXPECT_EQ(messages.Texts(),
              (QStringList{kQuestion, QStringLiteral("Unable to write to quelbywp.bmp, it is "
                                                     "read-only or opened by someone else.")}));
    EXPECT_EQ(ReadAll(wallpaperPath), QByteArray("earlier picture"));
    EXPECT_TRUE(PicturesSet().isEmpty());
}

TEST_F(Output, WithoutAPictureNothingIsWrittenOrSet) {
    app.Document()->ReleasePicture();
    Run(ID_WALLPAPER);
    EXPECT_EQ(messages.Texts(),
              (QStringList{kQuestion, QStringLiteral("There is no image to make the wallpaper.")}));
    EXPECT_FALSE(QFile::exists(wallpaperPath));
    EXPECT_TRUE(PicturesSet().isEmpty());
}

// The wallpaper file and the clipboard's bitmap file carry the picture
// behind an information header, which desktops and image programs read.
TEST_F(Output, ACoreHeaderPictureGoesOutInAFormOthersRead) {
    Open(CoreHeaderFile());
    Run(ID_WALLPAPER);
    Run(ID_EDIT_COPY);
    const QByteArray written = ReadAll(wallpaperPath);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->data(QStringLiteral("image/bmp")), written);
    ASSERT_GT(written.size(), 54);
    EXPECT_EQ(U32At(written, 14), 40u);
    const QImage image = QImage::fromData(written, "BMP");
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixel(0, 0), qRgb(200, 10, 20));
    EXPECT_EQ(image.convertToFormat(QImage::Format_RGB32),
              QImage::fromData(data->data(QStringLiteral("image/png")), "PNG")
                  .convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(PicturesSet().size(), 1);
}

TEST_F(Output, ADesktopThatCannotBeToldNamesTheFileWritten) {
    tools.Add(QStringLiteral("gsettings"), QString(), 1);
    Forward(1);
    Run(ID_WALLPAPER);
    ASSERT_EQ(messages.Texts().size(), 2);
    EXPECT_TRUE(messages.Texts()[1].contains(wallpaperPath)) << messages.Texts()[1].toStdString();
    EXPECT_EQ(ReadAll(wallpaperPath), ReadAll(disc.FilePath(Shown())));
}

TEST_F(Output, AWindowsDirectoryThatCannotBeMadeStopsBeforeTheQuestion) {
    const QString blocker = env.Scratch() + QStringLiteral("/blocker");
    WriteAll(blocker, "a file, not a folder");
    ScopedEnv data("XDG_DATA_HOME", blocker + QStringLiteral("/data"));
    Run(ID_WALLPAPER);
    EXPECT_EQ(messages.Texts(),
              QStringList{QStringLiteral("Unable to determine Windows directory")});
    EXPECT_TRUE(tools.Calls(QStringLiteral("gsettings")).empty());
}

TEST_F(Output, CopyOffersPngFirstThenTheBitmapFileAndKeepsTheDocumentsBlock) {
    Forward(2);
    const Bytes before = HandleBytes(app.Document()->Picture().Dib());
    app.Frame()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(app.Frame()));
    QTest::keyClick(app.Frame(), Qt::Key_C, Qt::ControlModifier);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    const QStringList images = data->formats().filter(QStringLiteral("image/"));
    EXPECT_EQ(images.value(0), QStringLiteral("image/png"));
    EXPECT_TRUE(images.contains(QStringLiteral("image/bmp")));
    // Byte for byte the cartoon's file; pixel for pixel the cartoon.
    EXPECT_EQ(data->data(QStringLiteral("image/bmp")), ReadAll(disc.FilePath(Shown())));
    const QImage png = QImage::fromData(data->data(QStringLiteral("image/png")), "PNG");
    const int seed = TestDisc::SeedOf(Shown());
    QImage expected(40, 30, QImage::Format_RGB32);
    expected.fill(qRgb(seed / 2, 255 - seed, seed));
    EXPECT_EQ(png.convertToFormat(QImage::Format_RGB32), expected);
    EXPECT_EQ(HandleBytes(app.Document()->Picture().Dib()), before);
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(Output, CopyRepairsTheImageSizeOnlyInTheClipboardsCopy) {
    QByteArray file = BmpFile(5, 3, 90);
    for (int i = 34; i < 38; ++i)
        file[i] = 0; // an image size of 0, which uncompressed bitmaps may have
    Open(file);
    const Bytes before = HandleBytes(app.Document()->Picture().Dib());
    Run(ID_EDIT_COPY);
    const QByteArray bmp =
        QGuiApplication::clipboard()->mimeData()->data(QStringLiteral("image/bmp"));
    EXPECT_EQ(U32At(bmp, 34), 16u * 3u);
    EXPECT_EQ(HandleBytes(app.Document()->Picture().Dib()), before);
    EXPECT_EQ(bmp.mid(38), file.mid(38));
}

} // namespace
