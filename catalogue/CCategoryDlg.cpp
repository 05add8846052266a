#include "CCategoryDlg.h"

#include "Categories.h"

#include <algorithm>
#include <vector>

namespace {
constexpr int kAfterLifeId = 1015;

// The categories in the order of their buttons' ids.
std::vector<Category> ByControlId() {
    std::vector<Category> categories(CategoryTable().begin(), CategoryTable().end());
    std::sort(categories.begin(), categories.end(),
              [](const Category& a, const Category& b) { return a.controlId < b.controlId; });
    return categories;
}

DialogTemplate CategoryTemplate() {
    DialogTemplate dialog{
        CCategoryDlg::kTemplateId,
        QStringLiteral("Select Catagory To View"),
        QSize(223, 175),
        {{ControlKind::groupBox, -1, QStringLiteral("Catagories"), QRect(7, 7, 209, 136)}}};
    // Two columns of seven.
    int row = 0;
    for (const Category& category : ByControlId()) {
        const int column = row / 7;
        dialog.controls.push_back({ControlKind::radioButton, category.controlId,
                                   QString::fromLatin1(category.label),
                                   QRect(22 + 98 * column, 21 + 17 * (row % 7), 88, 10)});
        ++row;
    }
    dialog.controls.push_back(
        {ControlKind::pushButton, IDCANCEL, QStringLiteral("< &Back"), QRect(58, 152, 50, 14)});
    dialog.controls.push_back(
        {ControlKind::defPushButton, IDOK, QStringLiteral("F&inish"), QRect(112, 152, 50, 14)});
    return dialog;
}
} // namespace

CCategoryDlg::CCategoryDlg(QWidget* parent) : CDialog(CategoryTemplate(), parent) {}

bool CCategoryDlg::OnInitDialog() {
    const std::vector<Category> categories = ByControlId();
    CheckRadioButton(categories.front().controlId, categories.back().controlId, kAfterLifeId);
    return true;
}

void CCategoryDlg::OnOK() {
    for (const Category& category : ByControlId()) {
        if (IsDlgButtonChecked(category.controlId))
            m_nCategory = category.controlId - kCategoryControlOffset;
    }
    CDialog::OnOK();
}
