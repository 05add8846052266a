#include "CBrowseWizard.h"

#include "BookmarkStore.h"
#include "CBitmapButton.h"
#include "FavouriteStore.h"
#include "ResourceBitmap.h"
#include "ViewerIds.h"

#include <QGroupBox>

namespace {
DialogTemplate WizardTemplate() {
    using W = CBrowseWizard;
    return {
        W::kTemplateId,
        QStringLiteral("Browse Wizard"),
        QSize(368, 191),
        {
            {ControlKind::groupBox, -1, QStringLiteral("Select Cartoons To View"),
             QRect(7, 5, 354, 156)},
            {ControlKind::bitmapButton, W::kBannerId, QStringLiteral("banner"),
             QRect(14, 16, 340, 138)},
            {ControlKind::pushButton, W::kAllCartoonsId, QStringLiteral("&All Cartoons"),
             QRect(10, 169, 64, 14)},
            {ControlKind::pushButton, W::kCategoryId, QStringLiteral("Ca&tegory"),
             QRect(80, 169, 64, 14)},
            {ControlKind::pushButton, W::kFavoriteId, QStringLiteral("&Favorite"),
             QRect(150, 169, 64, 14)},
            {ControlKind::pushButton, W::kBookmarkId, QStringLiteral("&Bookmark"),
             QRect(220, 169, 64, 14)},
            {ControlKind::pushButton, IDCANCEL, QStringLiteral("&Cancel"), QRect(294, 169, 64, 14)},
        }};
}
} // namespace

CBrowseWizard::CBrowseWizard(const FavouriteStore& favourites, const BookmarkStore& bookmarks,
                             int choice, bool lowColour, QWidget* parent)
    : CDialog(WizardTemplate(), parent), m_nChoice(choice), m_bLowColour(lowColour ? 1 : 0),
      m_favourites(favourites), m_bookmarks(bookmarks) {}

bool CBrowseWizard::OnInitDialog() {
    auto* banner = Item<CBitmapButton>(kBannerId);
    if (m_bLowColour == 1)
        banner->SetWindowText(QStringLiteral("bbanner"));
    banner->AutoLoad(LoadResourceBitmap, ids::kBitmapFolder);
    banner->SizeToContent();
    // The picture keeps its pixels whatever the dialog's font: it sits in the
    // middle of the frame around it.
    if (const auto* frame = findChild<QGroupBox*>()) {
        const QRect inside = frame->contentsRect().translated(frame->pos());
        banner->move(inside.center() - QPoint(banner->width() / 2, banner->height() / 2));
    }
    banner->setFocusPolicy(Qt::NoFocus);
    GetDlgItem(kFavoriteId)->setEnabled(m_favourites.Total() != 0);
    GetDlgItem(kBookmarkId)->setEnabled(m_bookmarks.Total() != 0);
    return true;
}

void CBrowseWizard::OnCommand(int id) {
    switch (id) {
    case kAllCartoonsId:
        m_nChoice = kChoiceAll;
        break;
    case kCategoryId:
        m_nChoice = kChoiceCategory;
        break;
    case kFavoriteId:
        m_nChoice = kChoiceFavourites;
        break;
    case kBookmarkId:
        m_nChoice = kChoiceBookmark;
        break;
    default:
        return; // the banner has no command
    }
    OnOK();
}
