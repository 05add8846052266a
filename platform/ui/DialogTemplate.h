#pragma once

#include <QRect>
#include <QString>
#include <vector>

class QFont;

// A dialog as its resource template describes it: a title, a size and the
// controls, each placed in dialog units of the dialog's font.
enum class ControlKind {
    label,         // static text
    groupBox,      // a frame with a caption
    pushButton,    //
    defPushButton, // the default push button: Enter presses it
    radioButton,   // automatic radio button; those of one dialog exclude each other
    checkBox,      // automatic check box
    edit,          // single-line edit box
    listBox,       // sorted list box with a vertical scroll bar
    bitmapButton,  // a CBitmapButton whose window text names its bitmaps
    upDown,        // arrows that step the integer in an edit box, their buddy
};

struct DialogControl {
    ControlKind kind;
    int id; // -1 for a static control that nobody addresses
    QString text;
    QRect units; // x, y, width, height in dialog units
};

struct DialogTemplate {
    int id;
    QString title;
    QSize units; // the client area in dialog units
    std::vector<DialogControl> controls;
};

// MapDialogRect: dialog units to pixels by the font's average character
// width (x units are quarters of it) and height (y units are eighths).
QRect MapDialogRect(const QFont& font, const QRect& units);
QSize MapDialogSize(const QFont& font, const QSize& units);
