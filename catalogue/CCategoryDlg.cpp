#include "CCategoryDlg.h"

#include "Categories.h"

#include <algorithm>
#include <vector>

namespace {
constexpr int kHeightUnits = 175;
constexpr int kColumnLength = 7;

// The categories in the order of their buttons' ids.
std::vector<Category> ByControlId() {
    std::vector<Category> categories(CategoryTable().begin(), CategoryTable().end());
    std::sort(categories.begin(), categories.end(),
              [](const Category& a, const Category& b) { return a.controlId < b.controlId; });
    return categories;
}
} // namespace

CCategoryDlg::CCategoryDlg(int widthUnits, QWidget* parent)
    : CDialog(Template(widthUnits), parent) {}

DialogTemplate CCategoryDlg::Template(int widthUnits) {
    DialogTemplate dialog{
        kTemplateId,
        QStringLiteral("Select Catagory To View"),
        QSize(widthUnits, kHeightUnits),
        {{ControlKind::groupBox, -1, QStringLiteral("Catagories"), QRect(7, 7, 209, 136)}}};
    int row = 0;
    for (const Category& category : ByControlId()) {
        const int column = row / kColumnLength;
        dialog.controls.push_back(
            {ControlKind::radioButton, category.controlId, QString::fromLatin1(category.label),
             QRect(22 + 98 * column, 21 + 17 * (row % kColumnLength), 88, 10)});
        ++row;
    }
    dialog.controls.push_back(
        {ControlKind::pushButton, IDCANCEL, QStringLiteral("< &Back"), QRect(58, 152, 50, 14)});
    dialog.controls.push_back(
        {ControlKind::defPushButton, IDOK, QStringLiteral("F&inish"), QRect(112, 152, 50, 14)});
    return dialog;
}

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
