#include "BitmapBuilder.h"
#include "CMainFrame.h"
#include "CquelbyApp.h"
#include "CquelbyDoc.h"
#include "CquelbyView.h"
#include "TempEnvironment.h"
#include "TestDisc.h"
#include "ViewPrinting.h"
#include "ViewerIds.h"
#include "ViewerTestSupport.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using namespace ids;

constexpr int kSeed = 77;
const QRgb kPictureColour = qRgb(kSeed / 2, 255 - kSeed, kSeed);

// Dots per metre that read back as these dots per inch.
int DotsPerMetre(int dpi) {
    return static_cast<int>(dpi / 0.0254 + 0.5);
}

// The rectangle of the pixels that have the picture's colour.
QRect PictureRect(const QImage& image) {
    QRect found;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        int first = -1, last = -1;
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] & 0xFFFFFF) == (kPictureColour & 0xFFFFFF)) {
                if (first < 0)
                    first = x;
                last = x;
            }
        }
        if (first >= 0)
            found |= QRect(first, y, last - first + 1, 1);
    }
    return found;
}

int PdfPages(const QByteArray& pdf) {
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    return static_cast<int>(QString::fromLatin1(pdf).count(page));
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class Printing : public ::testing::Test {
protected:
    Printing() : disc(env.Scratch() + QStringLiteral("/disc")) {
        disc.AddCartoons(SomeCartoonNames());
        disc.Insert('D');
        app.InitInstance({});
        pdf = env.Scratch() + QStringLiteral("/page.pdf");
        app.Printer().setOutputFormat(QPrinter::PdfFormat);
        app.Printer().setOutputFileName(pdf);
    }
    bool Run(int id) { return app.Frame()->Router().Execute(id); }
    void OpenPicture(int width, int height) {
        const QString path = env.Scratch() + QStringLiteral("/picture.bmp");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(BmpFile(width, height, kSeed));
        file.close();
        ASSERT_TRUE(app.Document()->OnOpenDocument(path));
    }
    // What the person does once the dialog shows.
    void OnDialog(std::function<void(QDialog&)> act) {
        viewprinting::SetDialogHook([this, act](QDialog& dialog) {
            ++dialogs;
            act(dialog);
        });
    }
    static void Press(QDialog& dialog, QDialogButtonBox::StandardButton which) {
        auto* box = dialog.findChild<QDialogButtonBox*>();
        ASSERT_NE(box, nullptr);
        ASSERT_NE(box->button(which), nullptr);
        box->button(which)->click();
    }

    TempEnvironment env;
    ForcedScreen screen{800, 600, 24};
    TestDisc disc;
    MessageRecorder messages;
    CquelbyApp app;
    QString pdf;
    int dialogs = 0;
};

// The page fills the printer's width and keeps the picture's proportions on
// paper; painting puts the picture at (0, 0) at half that size, or one to one
// when the sizes agree.
struct PageCase {
    const char* name;
    int pageWidth, dpiX, dpiY;
    QSize picture;
    QRect page;
    QRect painted;
};

class PrintedPage : public Printing, public ::testing::WithParamInterface<PageCase> {};

TEST_P(PrintedPage, TakesThePagesWidthAndPaintsAtHalfSize) {
    const PageCase& c = GetParam();
    OpenPicture(c.picture.width(), c.picture.height());
    QImage device(c.pageWidth, c.page.height() + 10, QImage::Format_RGB32);
    device.setDotsPerMeterX(DotsPerMetre(c.dpiX));
    device.setDotsPerMeterY(DotsPerMetre(c.dpiY));
    device.fill(Qt::black);
    const QRect page = viewprinting::PageRect(device, app.Document()->PictureSize());
    EXPECT_EQ(page, c.page);
    QPainter painter(&device);
    EXPECT_GT(app.View()->OnDraw(painter, true, page).value_or(0), 0);
    painter.end();
    EXPECT_EQ(PictureRect(device), c.painted);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, PrintedPage,
    ::testing::Values(PageCase{"SquareDots", 2400, 300, 300, QSize(512, 400),
                               QRect(0, 0, 2400, 1875), QRect(0, 0, 1200, 937)},
                      PageCase{"WideDots", 4800, 600, 300, QSize(512, 400), QRect(0, 0, 4800, 1875),
                               QRect(0, 0, 2400, 937)},
                      PageCase{"PictureWide", 512, 300, 300, QSize(512, 400), QRect(0, 0, 512, 400),
                               QRect(0, 0, 512, 400)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PageRect, OfAPictureWithoutWidthIsEmpty) {
    EXPECT_TRUE(viewprinting::PageRect(2400, 300, 300, QSize(0, 400)).isEmpty());
    EXPECT_EQ(viewprinting::PageRect(2400, 300, 300, QSize(512, 0)), QRect(0, 0, 2400, 0));
}

TEST_F(Printing, PrintWritesExactlyOnePageToThePdf) {
    Run(ID_FORWARD);
    OnDialog([](QDialog& d) { Press(d, QDialogButtonBox::Ok); });
    app.Frame()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(app.Frame()));
    QTest::keyClick(app.Frame(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(dialogs, 1);
    const QByteArray written = ReadAll(pdf);
    ASSERT_TRUE(written.startsWith("%PDF"));
    EXPECT_EQ(PdfPages(written), 1);
    // Line art is printed losslessly: no JPEG (DCT) image in the file.
    EXPECT_FALSE(written.contains("/DCTDecode"));
    EXPECT_TRUE(messages.Messages().empty());
}

// The print dialog refuses an output it cannot write; a printer that still
// cannot start paints nothing.
TEST_F(Printing, APrinterThatCannotStartPaintsNothing) {
    app.Printer().setOutputFileName(env.Scratch() + QStringLiteral("/no such folder/page.pdf"));
    EXPECT_FALSE(viewprinting::PrintPage(app.Document()->Picture(), app.Printer()));
}

TEST_F(Printing, ACancelledDialogPrintsNothing) {
    OnDialog([](QDialog& d) { Press(d, QDialogButtonBox::Cancel); });
    ASSERT_TRUE(Run(ID_FILE_PRINT));
    EXPECT_EQ(dialogs, 1);
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(Printing, ARangeThatDoesNotStartAtPageOnePrintsNothing) {
    bool rangeOffered = false;
    OnDialog([&](QDialog& d) {
        auto* range = d.findChild<QRadioButton*>(QStringLiteral("printRange"));
        auto* from = d.findChild<QSpinBox*>(QStringLiteral("from"));
        auto* to = d.findChild<QSpinBox*>(QStringLiteral("to"));
        ASSERT_TRUE(range && from && to);
        rangeOffered = range->isEnabled();
        range->click();
        to->setValue(3);
        from->setValue(2);
        Press(d, QDialogButtonBox::Ok);
    });
    Run(ID_FILE_PRINT);
    EXPECT_TRUE(rangeOffered);
    EXPECT_FALSE(QFile::exists(pdf));
    // From page 1 the page is printed.
    OnDialog([](QDialog& d) {
        d.findChild<QRadioButton*>(QStringLiteral("printRange"))->click();
        d.findChild<QSpinBox*>(QStringLiteral("to"))->setValue(4);
        d.findChild<QSpinBox*>(QStringLiteral("from"))->setValue(1);
        Press(d, QDialogButtonBox::Ok);
    });
    Run(ID_FILE_PRINT);
    EXPECT_EQ(PdfPages(ReadAll(pdf)), 1);
}

TEST_F(Printing, PreviewShowsTheSamePageOnTheApplicationsPrinter) {
    OpenPicture(512, 400);
    int pages = -1;
    QPrinter* shownPrinter = nullptr;
    QImage shown;
    OnDialog([&](QDialog& d) {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(&d);
        ASSERT_NE(preview, nullptr);
        shownPrinter = preview->printer();
        auto* widget = d.findChild<QPrintPreviewWidget*>();
        ASSERT_NE(widget, nullptr);
        pages = widget->pageCount();
        d.close();
    });
    ASSERT_TRUE(Run(ID_FILE_PRINT_PREVIEW));
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(pages, 1);
    EXPECT_EQ(shownPrinter, &app.Printer());
    EXPECT_FALSE(QFile::exists(pdf)); // a preview prints nothing
}

TEST_F(Printing, TheOrientationChosenInPrintSetupIsUsedByThePrint) {
    OnDialog([](QDialog& d) {
        auto* landscape = d.findChild<QRadioButton*>(QStringLiteral("landscape"));
        ASSERT_NE(landscape, nullptr);
        landscape->click();
        Press(d, QDialogButtonBox::Ok);
    });
    Run(ID_FILE_PRINT_SETUP);
    EXPECT_EQ(app.Printer().pageLayout().orientation(), QPageLayout::Landscape);
    OnDialog([](QDialog& d) { Press(d, QDialogButtonBox::Ok); });
    Run(ID_FILE_PRINT);
    const QString text = QString::fromLatin1(ReadAll(pdf));
    static const QRegularExpression box(
        QStringLiteral(R"(/MediaBox\s*\[\s*0\s+0\s+([\d.]+)\s+([\d.]+)\s*\])"));
    const QRegularExpressionMatch m = box.match(text);
    ASSERT_TRUE(m.hasMatch());
    EXPECT_GT(m.captured(1).toDouble(), m.captured(2).toDouble());
}

} // namespace
