#pragma once

#include "CDialog.h"

// Dialog 152: one radio button per category, "&After Life" checked whenever
// it opens; "F&inish" takes the checked category, "< &Back" cancels.
class CCategoryDlg : public CDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 152;
    explicit CCategoryDlg(QWidget* parent = nullptr);

    // The category number chosen (the button's id less 981); unchanged
    // when no button is checked.
    int m_nCategory = 0;

protected:
    bool OnInitDialog() override;
    void OnOK() override;
};
