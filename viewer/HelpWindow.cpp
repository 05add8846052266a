#include "HelpWindow.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent), m_browser(new QTextBrowser(this)) {
    setWindowTitle(QStringLiteral("Quelby Help"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_browser);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(520, 440);
}

QString HelpWindow::LoadPage(Page page) {
    QFile file(page == Page::contents ? QStringLiteral(":/viewer/help/contents.html")
                                      : QStringLiteral(":/viewer/help/usinghelp.html"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

void HelpWindow::ShowPage(Page page) {
    m_browser->setHtml(LoadPage(page));
    show();
    raise();
    activateWindow();
}

QString HelpWindow::PageHtml() const {
    return m_browser->toHtml();
}
