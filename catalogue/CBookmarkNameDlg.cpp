#include "CBookmarkNameDlg.h"

#include "BookmarkStore.h"

#include <QLineEdit>

namespace {
const QString kEnterName = QStringLiteral("Please enter a name for the bookmark");
const QString kOverwrite = QStringLiteral("A Bookmark with this name alredy exists, Overwrite?");
const QString kReserved =
    QStringLiteral("\"%1\" is a name Quelby keeps for its own settings.\nPlease enter another name "
                   "for the bookmark");

DialogTemplate NameTemplate() {
    return {
        CBookmarkNameDlg::kTemplateId,
        QStringLiteral("Enter Name For Bookmark"),
        QSize(266, 95),
        {
            {ControlKind::label, -1, QStringLiteral("Name:"), QRect(10, 22, 30, 8)},
            {ControlKind::edit, CBookmarkNameDlg::kNameId, QString(), QRect(42, 20, 214, 13)},
            {ControlKind::defPushButton, IDOK, QStringLiteral("&OK"), QRect(72, 66, 50, 14)},
            {ControlKind::pushButton, IDCANCEL, QStringLiteral("&Cancel"), QRect(144, 66, 50, 14)},
        }};
}

bool AllBlanks(const QString& text) {
    for (const QChar c : text) {
        if (c != QLatin1Char(' '))
            return false;
    }
    return true;
}
} // namespace

CBookmarkNameDlg::CBookmarkNameDlg(const BookmarkStore& store, QWidget* parent)
    : CDialog(NameTemplate(), parent), m_store(store) {}

bool CBookmarkNameDlg::OnInitDialog() {
    auto* edit = Item<QLineEdit>(kNameId);
    edit->setMaxLength(kMaxNameLength);
    edit->setFocus();
    return false;
}

void CBookmarkNameDlg::OnOK() {
    QString name = Item<QLineEdit>(kNameId)->text();
    if (name.isEmpty() || AllBlanks(name)) {
        AfxMessageBox(kEnterName, MB_OK);
        return;
    }
    if (name.front() == QLatin1Char(' '))
        name.front() = QLatin1Char('_');
    if (profilesections::IsReserved(name)) {
        AfxMessageBox(kReserved.arg(name), MB_OK);
        return;
    }
    if (m_store.Exists(name) && AfxMessageBox(kOverwrite, MB_YESNO) != IDYES)
        return;
    m_strName = name;
    EndDialog(IDOK);
}
