#pragma once

#include <QSize>
#include <optional>

class QWidget;

// AfxGetMainWnd: the application's main window, or nullptr before there is one
// (or after it was deleted).
QWidget* AfxGetMainWnd();
void AfxSetMainWnd(QWidget* window);

// The main window's outer size, its frame included; none without a main window.
std::optional<QSize> MainWindowOuterSize();
