#pragma once

#include "CDialog.h"

// Dialog 100: the program icon, the name and version, and OK.
class CAboutDlg : public CDialog {
    Q_OBJECT
public:
    static constexpr const char* kVersionLine = "Quelby: The 1st Treasury Version  1.0";
    explicit CAboutDlg(QWidget* parent = nullptr);
};
