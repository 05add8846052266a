#include "CSaverSetupDlg.h"

#include "CBitmapButton.h"
#include "DeviceContext.h"
#include "FavouriteStore.h"
#include "ResourceBitmap.h"
#include "SaverIds.h"
#include "SaverSettings.h"
#include "UpDownControl.h"

#include <QCheckBox>
#include <QLineEdit>

using namespace saverids;

namespace {
constexpr int kViewTimeLength = 2;

DialogTemplate SetupTemplate() {
    return {
        IDD_SETUP,
        QStringLiteral("Quelby Screen Saver"),
        QSize(359, 226),
        {
            {ControlKind::groupBox, -1, QStringLiteral("Select Cartoons To View By"),
             QRect(7, 7, 345, 193)},
            {ControlKind::bitmapButton, IDC_BANNER, QStringLiteral("banner"), QRect(9, 23, 50, 14)},
            {ControlKind::label, -1, QStringLiteral("View Time:"), QRect(130, 143, 38, 8)},
            {ControlKind::edit, IDC_VIEW_TIME, QString(), QRect(169, 141, 25, 14)},
            {ControlKind::upDown, IDC_ARROWS, QStringLiteral("Generic1"), QRect(185, 141, 9, 14)},
            {ControlKind::label, -1, QStringLiteral("seconds"), QRect(196, 143, 30, 8)},
            {ControlKind::checkBox, IDC_SAVE_LOCATION, QStringLiteral("Save Location On Exit"),
             QRect(134, 163, 89, 10)},
            {ControlKind::pushButton, IDC_ALL_CARTOONS, QStringLiteral("&All Cartoons"),
             QRect(85, 180, 45, 14)},
            {ControlKind::pushButton, IDC_CATEGORY, QStringLiteral("Ca&tegory"),
             QRect(157, 180, 45, 14)},
            {ControlKind::pushButton, IDC_FAVORITE, QStringLiteral("&Favorite"),
             QRect(233, 180, 45, 14)},
            {ControlKind::pushButton, IDCANCEL, QStringLiteral("&Cancel"), QRect(5, 205, 50, 14)},
            {ControlKind::pushButton, IDOK, QStringLiteral("&OK"), QRect(304, 205, 50, 14)},
        }};
}
} // namespace

CSaverSetupDlg::CSaverSetupDlg(QWidget* parent) : CDialog(SetupTemplate(), parent) {}

bool CSaverSetupDlg::OnInitDialog() {
    auto* viewTime = Item<QLineEdit>(IDC_VIEW_TIME);
    viewTime->setText(QString::number(m_nViewTime));
    m_bChoiceMade = 0;
    m_bLowColourBanner = CDC::IsLowColourScreen() ? 1 : 0;
    auto* banner = Item<CBitmapButton>(IDC_BANNER);
    if (m_bLowColourBanner == 1)
        banner->SetWindowText(QStringLiteral("bbanner"));
    banner->AutoLoad(LoadResourceBitmap, kBitmapFolder);
    banner->SizeToContent();
    GetDlgItem(IDC_FAVORITE)->setEnabled(FavouriteStore().Total() != 0);
    Item<QCheckBox>(IDC_SAVE_LOCATION)->setChecked(m_nSaveLocation != 0);
    auto* arrows = Item<UpDownControl>(IDC_ARROWS);
    arrows->SetBuddy(viewTime);
    arrows->SetRange(kMinDelay, kMaxDelay);
    // A selection in a field without the focus shows nothing: the field
    // selects its text when it takes the focus.
    viewTime->setMaxLength(kViewTimeLength);
    arrows->setFocus();
    return false;
}

void CSaverSetupDlg::OnOK() {
    // Only a view time the framework accepts is stored: one it refuses
    // leaves the stored settings as they were, whatever the user does next.
    const std::optional<int> seconds = ExchangeInt(IDC_VIEW_TIME);
    if (!seconds || !ValidateMinMax(IDC_VIEW_TIME, *seconds, kMinDelay, kMaxDelay))
        return;
    m_nViewTime = *seconds;
    m_nSaveLocation = IsDlgButtonChecked(IDC_SAVE_LOCATION) ? 1 : 0;
    Profile profile = Profile::App();
    m_bSaved = WriteSettings(
        profile, {{saverkeys::kDelay, m_nViewTime}, {saverkeys::kSaveOnExit, m_nSaveLocation}});
    CDialog::OnOK();
}

void CSaverSetupDlg::OnCommand(int id) {
    switch (id) {
    case IDC_ALL_CARTOONS:
        m_nMode = kModeAll;
        break;
    case IDC_CATEGORY:
        m_nMode = kModeCategory;
        break;
    case IDC_FAVORITE:
        m_nMode = kModeFavourites;
        break;
    default:
        return; // the banner does nothing
    }
    m_bChoiceMade = 1;
    OnOK();
}
