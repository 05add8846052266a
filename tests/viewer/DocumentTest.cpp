#include "BitmapBuilder.h"
#include "CBitmapButton.h"
#include "CMainFrame.h"
#include "CquelbyApp.h"
#include "CquelbyDoc.h"
#include "CquelbyView.h"
#include "FileDialogs.h"
#include "PrivateProfile.h"
#include "TempEnvironment.h"
#include "TestDisc.h"
#include "ViewTitles.h"
#include "ViewerIds.h"
#include "ViewerTestSupport.h"
#include "Viewing.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

using namespace ids;

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct TitleCase {
    const char* name;
    int mode;
    const char* current;
    const char* page;
    const char* expected;
};

class DocumentTitle : public ::testing::TestWithParam<TitleCase> {};

TEST_P(DocumentTitle, FollowsTheCoverModeAndPageRules) {
    ViewState s;
    s.m_selection.mode = static_cast<ViewMode>(GetParam().mode); // as read from a bookmark
    s.m_strCurrentName = QString::fromLatin1(GetParam().current);
    s.m_strTreasury = QStringLiteral("Treasury: 1");
    s.m_strPage = QString::fromLatin1(GetParam().page);
    EXPECT_EQ(viewtitles::DocumentTitle(s), QString::fromLatin1(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Titles, DocumentTitle,
    ::testing::Values(TitleCase{"Cover", 1, "Vanto CD Home", "Page: 5", "Vanto CD Home"},
                      TitleCase{"Cartoon", 1, "1T005HI1.BMP", "Page: 5",
                                "   Treasury: 1   Page: 5                 "},
                      TitleCase{"Category", 2, "1T208HI1.BMP", "Page: 208",
                                "   Treasury: 1   Page: 208                 "},
                      TitleCase{"PageZero", 5, "1T000HI1.BMP", "Page: 0",
                                "   Treasury: 1   Page: 1                 "},
                      TitleCase{"PageLas", 1, "x", "Page: las",
                                "   Treasury: 1   Cover                  "},
                      TitleCase{"OtherMode", 3, "1T007AN1.BMP", "Page: 7", "1T007AN1.BMP"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SaveName, TitleIsCutAtItsFirstBadCharacter) {
    EXPECT_EQ(viewtitles::ProposedSaveName(QStringLiteral("Vanto CD Home")),
              QStringLiteral("Vanto.BMP"));
    EXPECT_EQ(viewtitles::ProposedSaveName(QStringLiteral("   Treasury: 1   Page: 5")),
              QStringLiteral(".BMP"));
    for (const char* title : {"ab#c", "ab%c", "ab;c", "ab/c", "ab\\c", "ab c#d"})
        EXPECT_EQ(viewtitles::ProposedSaveName(QString::fromLatin1(title)),
                  QStringLiteral("ab.BMP"))
            << title;
    EXPECT_EQ(viewtitles::ProposedSaveName(QStringLiteral("pic.bmp")),
              QStringLiteral("pic.bmp.BMP"));
}

class Document : public ::testing::Test {
protected:
    explicit Document(bool diagnostic = false) : disc(env.Scratch() + QStringLiteral("/disc")) {
        disc.AddCartoons(SomeCartoonNames());
        disc.Insert('D');
        app.InitInstance(diagnostic ? QStringList{QStringLiteral("/d")} : QStringList{});
        FileDialogs::SetHook([this](bool saving, const QString& proposed, const QString& filter) {
            asked.push_back(proposed);
            filters.push_back(filter);
            EXPECT_EQ(saving, saveDialog);
            return answer;
        });
    }
    bool Run(int id) { return app.Frame()->Router().Execute(id); }

    TempEnvironment env;
    ForcedScreen screen{800, 600, 24};
    TestDisc disc;
    MessageRecorder messages;
    CquelbyApp app;
    std::optional<QString> answer;
    bool saveDialog = true;
    QStringList asked;
    QStringList filters;
};

TEST_F(Document, SaveAsOnTheCoverProposesVantoAndWritesAnIdenticalFile) {
    app.View()->grab();
    const QString target = env.Scratch() + QStringLiteral("/saved.bmp");
    answer = target;
    ASSERT_TRUE(Run(ID_FILE_SAVE_AS));
    EXPECT_EQ(asked, QStringList{QStringLiteral("Vanto.BMP")});
    EXPECT_EQ(filters, QStringList{QStringLiteral("Quelby Files (*.bmp)")});
    EXPECT_EQ(ReadAll(target),
              ReadAll(disc.Root() + QStringLiteral("/quelby/images/col/splash24.bmp")));
    EXPECT_EQ(app.Document()->GetPathName(), target);
    EXPECT_EQ(app.Frame()->windowTitle(), QStringLiteral("Quelby: The 1st Treasury - saved.bmp"));
    EXPECT_TRUE(messages.Messages().empty());

    // Save now writes to that path without asking.
    QFile spoilt(target);
    ASSERT_TRUE(spoilt.open(QIODevice::WriteOnly | QIODevice::Truncate));
    spoilt.write("spoilt");
    spoilt.close();
    ASSERT_TRUE(Run(ID_FILE_SAVE));
    EXPECT_EQ(asked.size(), 1);
    EXPECT_EQ(ReadAll(target),
              ReadAll(disc.Root() + QStringLiteral("/quelby/images/col/splash24.bmp")));
}

TEST_F(Document, SaveAsOfACartoonProposesOnlyTheExtension) {
    app.View()->ForwardButton()->click();
    app.View()->grab();
    answer = std::nullopt; // Cancel
    Run(ID_FILE_SAVE_AS);
    EXPECT_EQ(asked, QStringList{QStringLiteral(".BMP")});
    // Save before any Save As asks like Save As.
    Run(ID_FILE_SAVE);
    EXPECT_EQ(asked.size(), 2);
}

TEST_F(Document, ASaveAsThatFailsLeavesTheEarlierFileWhole) {
    const QString target = env.Scratch() + QStringLiteral("/earlier.bmp");
    QFile earlier(target);
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier picture");
    earlier.close();
    const UnwritableFile unwritable(target);
    if (!unwritable.Held())
        GTEST_SKIP() << "the file cannot be made unwritable here";
    answer = target;
    Run(ID_FILE_SAVE_AS);
    EXPECT_EQ(ReadAll(target), QByteArray("earlier picture"));
    EXPECT_EQ(messages.Texts(),
              QStringList{QStringLiteral("Unable to write to earlier.bmp, it is "
                                         "read-only or opened by someone else.")});
}

TEST_F(Document, AFailedWriteRemovesTheFileItMadeButNotOneItCouldNotOpen) {
    app.Document()->ReleasePicture();
    const QString target = env.Scratch() + QStringLiteral("/empty.bmp");
    answer = target;
    EXPECT_FALSE(app.Document()->DoSave(QString()));
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_TRUE(messages.Messages().empty()); // a refused write shows nothing

    answer = env.Scratch() + QStringLiteral("/no/such/folder/x.bmp");
    EXPECT_FALSE(app.Document()->DoSave(QString()));
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].caption, QStringLiteral("Quelby"));
}

TEST_F(Document, OpenReadsAnyBitmapAndReportsAMissingFile) {
    saveDialog = false;
    const QString own = env.Scratch() + QStringLiteral("/own.bmp");
    QFile file(own);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(BmpFile(30, 20, 77));
    file.close();
    answer = own;
    Run(ID_FILE_OPEN);
    ASSERT_TRUE(app.Document()->HasPicture());
    EXPECT_EQ(app.Document()->PictureSize(), QSize(30, 20));
    app.View()->grab();
    EXPECT_EQ(app.Frame()->windowTitle(), QStringLiteral("Quelby: The 1st Treasury - own.bmp"));

    answer = env.Scratch() + QStringLiteral("/missing.bmp");
    Run(ID_FILE_OPEN);
    EXPECT_FALSE(app.Document()->HasPicture());
    EXPECT_EQ(app.Document()->Palette(), nullptr);
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_TRUE(messages.Messages()[0].text.contains(QStringLiteral("missing.bmp")));

    QFile junk(env.Scratch() + QStringLiteral("/junk.bmp"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a bitmap at all");
    junk.close();
    EXPECT_FALSE(app.Document()->OnOpenDocument(junk.fileName()));
    EXPECT_EQ(messages.Messages().size(), 1u); // no message for a file that is no bitmap
}

TEST_F(Document, SaveAfterOpenAndAStepAsksRatherThanOverwriteTheOpenedFile) {
    const QString own = env.Scratch() + QStringLiteral("/own.bmp");
    const QByteArray picture = BmpFile(30, 20, 77);
    QFile file(own);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(picture);
    file.close();
    saveDialog = false;
    answer = own;
    Run(ID_FILE_OPEN);
    app.View()->ForwardButton()->click();
    saveDialog = true;
    answer = std::nullopt; // Cancel
    Run(ID_FILE_SAVE);
    EXPECT_EQ(asked.size(), 2);
    EXPECT_EQ(ReadAll(own), picture);
}

TEST_F(Document, NewShowsTheCoverAgain) {
    app.View()->ForwardButton()->click();
    app.View()->ForwardButton()->click();
    Run(ID_FILE_NEW);
    EXPECT_EQ(app.Model().State().m_strCurrentName, QStringLiteral("Vanto CD Home"));
    EXPECT_EQ(app.Model().State().m_selection.imageCounter, 2);
    app.View()->ForwardButton()->click();
    EXPECT_EQ(app.Model().State().m_selection.imageCounter, 3);
}

TEST_F(Document, ThePictureIsPaintedCentredNearTheTopOnWhite) {
    app.View()->ForwardButton()->click();
    const QImage image = app.View()->grab().toImage();
    const QString name = app.Model().State().m_strCurrentName;
    // Frame 680 wide, picture 40 x 30: x = (680 - 40) / 2 - 6 = 314, y = 1.
    const int seed = TestDisc::SeedOf(name);
    EXPECT_EQ(image.pixel(314, 1), qRgb(seed / 2, 255 - seed, seed));
    EXPECT_EQ(image.pixel(353, 30), qRgb(seed / 2, 255 - seed, seed));
    EXPECT_EQ(image.pixel(313, 1), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(314, 31), qRgb(255, 255, 255));
    EXPECT_EQ(
        app.Frame()->windowTitle(),
        QStringLiteral("Quelby: The 1st Treasury -    Treasury: 1   Page: 5                 "));
}

class DiagnosticDocument : public Document {
protected:
    DiagnosticDocument() : Document(true) {}
};

TEST_F(DiagnosticDocument, APictureThatCannotBePaintedIsRecordedInDiagnosticMode) {
    // A header claiming far more pixels than the file holds.
    QByteArray bad = BmpFile(40, 30, 9);
    bad[18] = char(0x10);
    bad[19] = char(0x27);
    disc.AddCartoon(app.Document()->CatalogueEntry(1), bad);
    app.View()->grab(); // the cover paints and sets its title
    app.View()->ForwardButton()->click();
    const QString record = QStringLiteral("1T005HI1.BMP");
    // Drawing for a printer reports the failure and keeps nothing.
    QImage page(200, 200, QImage::Format_RGB32);
    {
        QPainter painter(&page);
        EXPECT_EQ(app.View()->OnDraw(painter, true, page.rect()), std::optional<int>(0));
    }
    EXPECT_EQ(privateprofile::GetString(QStringLiteral("quelby"), record, QString()), QString());
    app.View()->grab();
    EXPECT_EQ(privateprofile::GetString(QStringLiteral("quelby"), record, QString()),
              QStringLiteral("bad"));
    EXPECT_EQ(app.Frame()->windowTitle(),
              QStringLiteral("Quelby: The 1st Treasury - Vanto CD Home"));
}

} // namespace
