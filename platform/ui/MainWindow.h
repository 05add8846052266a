#pragma once

class QWidget;

// AfxGetMainWnd: the application's main window, or nullptr before there is one
// (or after it was deleted).
QWidget* AfxGetMainWnd();
void AfxSetMainWnd(QWidget* window);
