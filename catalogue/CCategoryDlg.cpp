#include "CCategoryDlg.h"

#include "CategoryChoice.h"

namespace {
constexpr int kWidthUnits = 223;
} // namespace

CCategoryDlg::CCategoryDlg(QWidget* parent)
    : CDialog(categorychoice::Template(kWidthUnits), parent) {}

bool CCategoryDlg::OnInitDialog() {
    categorychoice::CheckAfterLife(*this);
    return true;
}

void CCategoryDlg::OnOK() {
    m_nCategory = categorychoice::CheckedCategory(*this, m_nCategory);
    CDialog::OnOK();
}
