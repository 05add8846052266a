#include "CSaverCategoryDlg.h"

#include "CategoryChoice.h"

namespace {
constexpr int kWidthUnits = 225;
} // namespace

CSaverCategoryDlg::CSaverCategoryDlg(QWidget* parent)
    : CDialog(categorychoice::Template(kWidthUnits), parent) {}

bool CSaverCategoryDlg::OnInitDialog() {
    categorychoice::CheckAfterLife(*this);
    return true;
}

void CSaverCategoryDlg::OnOK() {
    m_nCategory = categorychoice::CheckedCategory(*this, m_nCategory);
    CDialog::OnOK();
}
