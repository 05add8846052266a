#pragma once

#include <QString>
#include <functional>

// Message box styles and answers, with the values of the system's.
enum : unsigned {
    MB_OK = 0x0,
    MB_YESNO = 0x4,
    MB_ICONSTOP = 0x10,
    MB_ICONEXCLAMATION = 0x30,
    MB_TYPEMASK = 0xF, // the buttons
    MB_ICONMASK = 0xF0,
};
enum : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

// The application title, the caption of AfxMessageBox: the application's name
// (QCoreApplication::applicationName) unless set.
QString AfxGetAppTitle();
void AfxSetAppTitle(const QString& title);

// AfxMessageBox: the application title as caption, owned by the main window.
int AfxMessageBox(const QString& text, unsigned type = MB_OK);
// MessageBox with no owner and no caption.
int PlainMessageBox(const QString& text, unsigned type = MB_OK);

class Profile;
// Tells the user that a command's settings did not reach the profile: its
// file and why, in the application's box with an exclamation mark.
void ReportUnsavedSettings(const Profile& profile);

// Tests answer message boxes by script: the hook sees the text, caption and
// style and returns the answer; while a hook is set no box is shown.
using MessageBoxHook =
    std::function<int(const QString& text, const QString& caption, unsigned type)>;
// Returns the hook it replaces.
MessageBoxHook SetMessageBoxHook(MessageBoxHook hook);
