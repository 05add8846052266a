#include "CBookmarkListDlg.h"

#include "BookmarkStore.h"

#include <QListWidget>

namespace {
DialogTemplate ListTemplate() {
    return {
        CBookmarkListDlg::kTemplateId,
        QStringLiteral("Select BookMark To Open"),
        QSize(329, 186),
        {
            {ControlKind::label, -1, QStringLiteral("Bookmarks:"), QRect(7, 7, 80, 8)},
            {ControlKind::listBox, CBookmarkListDlg::kListId, QString(), QRect(7, 18, 252, 161)},
            {ControlKind::defPushButton, IDOK, QStringLiteral("&OK"), QRect(272, 18, 50, 14)},
            {ControlKind::pushButton, IDCANCEL, QStringLiteral("&Cancel"), QRect(272, 36, 50, 14)},
            {ControlKind::pushButton, CBookmarkListDlg::kDeleteId, QStringLiteral("&Delete"),
             QRect(272, 62, 50, 14)},
        }};
}
} // namespace

CBookmarkListDlg::CBookmarkListDlg(BookmarkStore& store, QWidget* parent)
    : CDialog(ListTemplate(), parent), m_store(store) {
    connect(&List(), &QListWidget::itemDoubleClicked, this, [this] { OnOK(); });
}

QListWidget& CBookmarkListDlg::List() const {
    return *Item<QListWidget>(kListId);
}

bool CBookmarkListDlg::OnInitDialog() {
    if (m_store.Total() == 0) {
        AfxMessageBox(QStringLiteral("No Bookmarks Have Been Saved!"), MB_OK);
        EndDialog(IDCANCEL);
        return false;
    }
    List().clear();
    for (const QString& name : m_store.Names())
        AddSortedString(List(), name);
    List().setCurrentRow(0);
    List().setFocus();
    return false;
}

void CBookmarkListDlg::OnOK() {
    const QListWidgetItem* item = List().currentItem();
    if (!item)
        return;
    m_strName = item->text();
    EndDialog(IDOK);
}

void CBookmarkListDlg::OnCommand(int id) {
    if (id == kDeleteId)
        Delete();
}

void CBookmarkListDlg::Delete() {
    const int row = List().currentRow();
    if (row < 0)
        return;
    const QString name = List().item(row)->text();
    // A name the profile no longer lists leaves the profile as it is; the
    // list shows what the profile holds either way.
    const ListRemoval removal = m_store.Delete(name);
    if (removal.found && !removal.saved) {
        ReportUnsavedSettings(m_store.Store());
        return;
    }
    const int remaining = removal.total;
    delete List().takeItem(row);
    List().setCurrentRow(0);
    List().setFocus();
    if (remaining == 0 || List().count() == 0) {
        GetDlgItem(IDCANCEL)->setFocus();
        EndDialog(IDCANCEL);
    }
}
