#include "ViewPrinting.h"

#include "MainWindow.h"
#include "MessageBox.h"
#include "MessageBoxReporter.h"
#include "Picture.h"
#include "TestSeam.h"
#include "ViewPaint.h"

#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTimer>
#include <utility>

namespace viewprinting {
namespace {

// The framework prints pages from 1 on; without a page count only the first
// one exists.
constexpr int kFirstPage = 1;
constexpr int kLastPageOffered = 0xFFFF;

DialogHook& CurrentHook() {
    static DialogHook hook;
    return hook;
}
[[maybe_unused]] const bool g_switch = testseam::Register(CurrentHook());

// The dialog's own exec, which is where Qt's dialogs hand their settings to
// the printer; a hook runs once the dialog shows.
int Run(QDialog& dialog) {
    if (CurrentHook()) {
        QTimer::singleShot(0, &dialog, [&dialog] {
            CurrentHook()(dialog);
            if (dialog.isVisible())
                dialog.reject();
        });
    }
    return dialog.exec();
}

} // namespace

DialogHook SetDialogHook(DialogHook hook) {
    return std::exchange(CurrentHook(), std::move(hook));
}

QRect PageRect(int pageWidth, int dpiX, int dpiY, QSize picture) {
    if (picture.width() <= 0 || dpiX <= 0)
        return {};
    const double height =
        (double(pageWidth) * picture.height() * dpiY) / (double(picture.width()) * dpiX);
    return QRect(0, 0, pageWidth, static_cast<int>(height));
}

QRect PageRect(const QPaintDevice& device, QSize picture) {
    return PageRect(device.width(), device.logicalDpiX(), device.logicalDpiY(), picture);
}

bool PrintPage(Picture& picture, QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // Line art smudges when a PDF takes it as a JPEG.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    const QSize size = picture.HasBitmap() ? picture.Size() : QSize();
    MessageBoxReporter messageBoxes;
    viewpaint::Draw(painter, picture, viewpaint::PageTarget(PageRect(printer, size)), messageBoxes);
    return painter.end();
}

bool DoPreparePrinting(QPrinter& printer) {
    QPrintDialog dialog(&printer, AfxGetMainWnd());
    dialog.setMinMax(kFirstPage, kLastPageOffered);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    return Run(dialog) == QDialog::Accepted;
}

void Print(Picture& picture, QPrinter& printer) {
    if (!DoPreparePrinting(printer))
        return;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > kFirstPage)
        return;
    if (!PrintPage(picture, printer))
        AfxMessageBox(QStringLiteral("Could not start print job."), MB_OK);
}

void Preview(Picture& picture, QPrinter& printer) {
    QPrintPreviewDialog dialog(&printer, AfxGetMainWnd());
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&picture](QPrinter* target) { PrintPage(picture, *target); });
    Run(dialog);
}

void PageSetup(QPrinter& printer, QWidget* parent) {
    QPageSetupDialog dialog(&printer, parent);
    Run(dialog);
}

} // namespace viewprinting
