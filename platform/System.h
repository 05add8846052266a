#pragma once

#include <QString>
#include <cstdint>
#include <functional>

class QWidget;

// GetTickCount: milliseconds since the system started, wrapping at 2^32.
std::uint32_t GetTickCount();
// GlobalMemoryStatus's available physical memory, in bytes: MemAvailable of
// /proc/meminfo (MemFree where the kernel has no MemAvailable); 0 when unreadable.
std::uint64_t AvailablePhysicalMemory(const QString& memInfoPath = QStringLiteral("/proc/meminfo"));

// Message box styles and answers, with the values of the system's.
enum : unsigned { MB_OK = 0x0, MB_YESNO = 0x4, MB_ICONSTOP = 0x10, MB_ICONEXCLAMATION = 0x30 };
enum : int { IDOK = 1, IDYES = 6, IDNO = 7 };

// The application title, the caption of AfxMessageBox; "Quelby" unless set.
QString AfxGetAppTitle();
void AfxSetAppTitle(const QString& title);

// AfxMessageBox: the application title as caption, owned by the main window.
int AfxMessageBox(const QString& text, unsigned type = MB_OK);
// MessageBox with no owner and no caption.
int PlainMessageBox(const QString& text, unsigned type = MB_OK);

// Tests answer message boxes by script: the hook sees the text, caption and
// style and returns the answer; while a hook is set no box is shown.
using MessageBoxHook =
    std::function<int(const QString& text, const QString& caption, unsigned type)>;
void SetMessageBoxHook(MessageBoxHook hook);

// AfxAbort: every top-level window is closed and deleted, then the process
// ends with status 3.
[[noreturn]] void AfxAbort();
// Tests observe the abort: the hook runs after the windows are gone. It may
// throw to get control back; if it returns, the process exits with status 3.
void SetAbortHook(std::function<void()> hook);

// AfxGetMainWnd: the application's main window, or nullptr before there is one
// (or after it was deleted).
QWidget* AfxGetMainWnd();
void AfxSetMainWnd(QWidget* window);
