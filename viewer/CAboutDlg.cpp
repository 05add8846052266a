#include "CAboutDlg.h"

#include "ResourceBitmap.h"
#include "ViewerIds.h"

#include <QLabel>
#include <QPixmap>

namespace {
constexpr int kIconId = 1000;
constexpr int kVersionId = 1001;

DialogTemplate AboutTemplate() {
    return {ids::IDD_ABOUTBOX,
            QStringLiteral("About Quelby"),
            QSize(217, 55),
            {
                {ControlKind::label, kIconId, QString(), QRect(11, 17, 20, 20)},
                {ControlKind::label, kVersionId, QString::fromLatin1(CAboutDlg::kVersionLine),
                 QRect(40, 10, 170, 8)},
                {ControlKind::defPushButton, IDOK, QStringLiteral("OK"), QRect(178, 27, 32, 14)},
            }};
}
} // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : CDialog(AboutTemplate(), parent) {
    Item<QLabel>(kIconId)->setPixmap(
        QPixmap::fromImage(LoadResourceBitmap(ids::BitmapResource(ids::IDR_MAINFRAME))));
}
