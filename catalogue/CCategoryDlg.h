#pragma once

#include "CDialog.h"
#include "DialogTemplate.h"

// Dialog 152, "Select Catagory To View", which both programs show: a group
// box "Catagories" with one automatic radio button per category in two
// columns of seven, ordered by control id, "< &Back" (IDCANCEL) and the
// default button "F&inish" (IDOK). "&After Life" is checked whenever it
// opens; "F&inish" takes the checked category, "< &Back" cancels. Only the
// width differs between the programs.
class CCategoryDlg : public CDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 152;
    static constexpr int kAfterLifeId = 1015;
    // Widths in dialog units.
    static constexpr int kViewerWidth = 223;
    static constexpr int kSaverWidth = 225;

    explicit CCategoryDlg(int widthUnits = kViewerWidth, QWidget* parent = nullptr);

    // The category number chosen (the button's id less 981); unchanged
    // when no button is checked.
    int m_nCategory = 0;

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    static DialogTemplate Template(int widthUnits);
};
