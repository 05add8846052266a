#pragma once

#include "CDialog.h"

// Dialog 152 of the saver, "Select Catagory To View": "&After Life" checked
// whenever it opens; "F&inish" takes the checked category, "< &Back" cancels.
class CSaverCategoryDlg : public CDialog {
    Q_OBJECT
public:
    explicit CSaverCategoryDlg(QWidget* parent = nullptr);

    // The category number chosen (the button's id less 981).
    int m_nCategory = 0;

protected:
    bool OnInitDialog() override;
    void OnOK() override;
};
