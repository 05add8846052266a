#pragma once

#include <QRect>
#include <QSize>
#include <functional>

class Picture;
class QDialog;
class QPaintDevice;
class QPrinter;
class QWidget;

// Print, Print Preview and Print Setup: one page, drawn by the view's paint
// routine (ViewPaint.h) with the printing geometry, on the printer the
// application keeps (the one Print Setup chose).
namespace viewprinting {

// The page rectangle a picture takes on a paint device: from (0, 0), the
// device's width across, and down as far as keeps the picture's proportions
// on paper, by the device's pixels per inch across and down (truncated).
// Empty for a picture without width.
QRect PageRect(int pageWidth, int dpiX, int dpiY, QSize picture);
QRect PageRect(const QPaintDevice& device, QSize picture);

// The print dialog, offering pages from 1 on; true when the user chose to print.
bool DoPreparePrinting(QPrinter& printer);
// Draws the picture as page 1 onto a printer that is ready; false when the
// printer could not start or finish the page.
bool PrintPage(Picture& picture, QPrinter& printer);
// The print dialog (the view's OnPreparePrinting), then page 1; a page range
// that does not start at page 1 prints nothing, as does a cancelled dialog. A
// printer that cannot start the job says so.
void Print(Picture& picture, QPrinter& printer);
// The preview dialog showing the same page.
void Preview(Picture& picture, QPrinter& printer);
// The page setup dialog for the printer.
void PageSetup(QPrinter& printer, QWidget* parent);

// Tests drive the dialogs (print, preview, page setup) as a person would:
// while a hook is set, the dialog runs as always and is handed to the hook
// once it shows; a dialog the hook leaves open is cancelled. Returns the hook
// it replaces.
using DialogHook = std::function<void(QDialog&)>;
DialogHook SetDialogHook(DialogHook hook);

} // namespace viewprinting
