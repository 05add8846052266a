#include "Abort.h"

#include "MainWindow.h"
#include "TestSeam.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {
std::function<void()> g_abortHook;
[[maybe_unused]] const bool g_switch = testseam::Register(g_abortHook);
bool g_aborting = false;

// Closes and deletes every top-level window. A window owned by another goes
// with its owner, so each is deleted only while it still exists.
void DestroyWindows() {
    QList<QPointer<QWidget>> windows;
    for (QWidget* widget : QApplication::topLevelWidgets())
        windows.append(widget);
    for (const QPointer<QWidget>& window : windows) {
        if (window)
            window->close();
    }
    for (const QPointer<QWidget>& window : windows) {
        if (window)
            delete window.data();
    }
}
} // namespace

std::function<void()> SetAbortHook(std::function<void()> hook) {
    return std::exchange(g_abortHook, std::move(hook));
}

bool AfxIsAborting() {
    return g_aborting;
}

void AfxAbort() {
    g_aborting = true;
    DestroyWindows();
    g_aborting = false;
    AfxSetMainWnd(nullptr);
    if (g_abortHook)
        g_abortHook();
    std::fflush(nullptr);
    // No destructors or exit handlers: the end is abnormal, as the system's abort is.
    std::_Exit(3);
}
