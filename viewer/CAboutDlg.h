#pragma once

#include <QDialog>
#include <functional>

// Dialog 100: the program icon, the name and version, and OK (id 1).
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kVersionLine = "Quelby: The 1st Treasury Version  1.0";
    explicit CAboutDlg(QWidget* parent = nullptr);
    // Runs the dialog modally, or through the test hook when one is set.
    int DoModal();

    using Hook = std::function<int(CAboutDlg&)>;
    static void SetHook(Hook hook);
};
