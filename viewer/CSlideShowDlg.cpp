#include "CSlideShowDlg.h"

#include "UpDownControl.h"
#include "ViewerSettings.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <algorithm>

namespace {
DialogTemplate SlideShowTemplate() {
    using D = CSlideShowDlg;
    return {
        D::kTemplateId,
        QStringLiteral("Slide Show"),
        QSize(198, 124),
        {
            {ControlKind::label, -1, QStringLiteral("View Time:"), QRect(30, 30, 40, 8)},
            {ControlKind::edit, D::kViewTimeId, QString(), QRect(74, 28, 36, 13)},
            {ControlKind::upDown, D::kSpinId, QString(), QRect(100, 28, 10, 13)},
            {ControlKind::label, -1, QStringLiteral("seconds"), QRect(116, 30, 40, 8)},
            {ControlKind::checkBox, D::kFullScreenId, QStringLiteral("&Full Screen"),
             QRect(30, 58, 80, 10)},
            {ControlKind::defPushButton, IDOK, QStringLiteral("&OK"), QRect(30, 96, 50, 14)},
            {ControlKind::pushButton, IDCANCEL, QStringLiteral("&Cancel"), QRect(118, 96, 50, 14)},
        }};
}
} // namespace

CSlideShowDlg::CSlideShowDlg(QWidget* parent) : CDialog(SlideShowTemplate(), parent) {}

bool CSlideShowDlg::OnInitDialog() {
    auto* edit = Item<QLineEdit>(kViewTimeId);
    auto* spin = Item<UpDownControl>(kSpinId);
    Item<QAbstractButton>(kFullScreenId)->setChecked(m_nFullScreen != 0);
    spin->SetBuddy(edit);
    spin->SetRange(kShortestViewTime, kLongestViewTime);
    // The stored view time shows as it is stored, even one too long to
    // type (OK refuses it as it refuses a typed one); what is typed keeps
    // to two digits.
    const QString stored = QString::number(m_nViewTime);
    edit->setMaxLength(std::max<int>(kViewTimeLength, static_cast<int>(stored.size())));
    edit->setText(stored);
    connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
        if (text.size() <= kViewTimeLength)
            edit->setMaxLength(kViewTimeLength);
    });
    // The edit box is the first control and takes the focus as a dialog
    // gives it, with its whole text selected, so typing replaces the view time.
    edit->setFocus();
    edit->selectAll();
    return false;
}

void CSlideShowDlg::OnOK() {
    const std::optional<int> viewTime = ExchangeInt(kViewTimeId);
    if (!viewTime || !ValidateMinMax(kViewTimeId, *viewTime, kShortestViewTime, kLongestViewTime))
        return;
    m_nViewTime = *viewTime;
    m_nTakenViewTime = *viewTime;
    m_nFullScreen = IsDlgButtonChecked(kFullScreenId) ? 1 : 0;
    Profile profile = Profile::App();
    ProfileEdit edit;
    edit.SetInt(viewersettings::kSection, viewersettings::kViewTime, m_nTakenViewTime);
    edit.SetInt(viewersettings::kSection, viewersettings::kFullScreen, m_nFullScreen);
    // The show runs with what was chosen, stored or not.
    if (!profile.Write(edit))
        ReportUnsavedSettings(profile);
    EndDialog(IDOK);
}
