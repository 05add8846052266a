#include "CAboutDlg.h"

#include "CBitmapButton.h"
#include "MessageBox.h"
#include "ViewerIds.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <functional>

namespace {
CAboutDlg::Hook& CurrentHook() {
    static CAboutDlg::Hook hook;
    return hook;
}
} // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("dialog%1").arg(ids::IDD_ABOUTBOX));
    setWindowTitle(QStringLiteral("About Quelby"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("icon"));
    icon->setPixmap(QPixmap::fromImage(CBitmapButton::LoadResourceBitmap(ids::IDR_MAINFRAME)));
    auto* text = new QLabel(QString::fromLatin1(kVersionLine), this);
    text->setObjectName(QStringLiteral("version"));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("button%1").arg(ids::IDOK_BUTTON));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addSpacing(12);
    row->addWidget(text, 1);
    row->addWidget(ok, 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    // 217 x 55 dialog units.
    setFixedSize(326, 90);
}

int CAboutDlg::DoModal() {
    if (CurrentHook())
        return CurrentHook()(*this);
    return exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

void CAboutDlg::SetHook(Hook hook) {
    CurrentHook() = std::move(hook);
}
