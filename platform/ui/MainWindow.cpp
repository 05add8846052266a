#include "MainWindow.h"

#include <QPointer>
#include <QWidget>

namespace {
QPointer<QWidget> g_mainWnd;
} // namespace

QWidget* AfxGetMainWnd() {
    return g_mainWnd.data();
}

void AfxSetMainWnd(QWidget* window) {
    g_mainWnd = window;
}

std::optional<QSize> MainWindowOuterSize() {
    const QWidget* window = AfxGetMainWnd();
    if (!window)
        return std::nullopt;
    return window->frameGeometry().size();
}
