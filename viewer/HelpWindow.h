#pragma once

#include <QDialog>

class QTextBrowser;

// The program's help: a page from the resources in a window of its own.
class HelpWindow : public QDialog {
    Q_OBJECT
public:
    enum class Page { contents, usingHelp };
    explicit HelpWindow(QWidget* parent = nullptr);

    void ShowPage(Page page);
    QString PageHtml() const;
    static QString LoadPage(Page page);

private:
    QTextBrowser* m_browser;
};
