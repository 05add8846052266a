#pragma once

#include "CDialog.h"

class BookmarkStore;
class QListWidget;

// Dialog 153: the saved bookmarks in sorted order, the first selected. OK or
// a double-click takes the one under the caret; Delete removes it from the
// profile and the list, and the dialog closes as cancelled once none is
// left. With no bookmark at all it says so and never shows.
class CBookmarkListDlg : public CDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 153;
    static constexpr int kListId = 1003;
    static constexpr int kDeleteId = 101;

    explicit CBookmarkListDlg(BookmarkStore& store, QWidget* parent = nullptr);

    QString m_strName; // the bookmark chosen

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCommand(int id) override;

private:
    QListWidget& List() const;
    void Delete();

    BookmarkStore& m_store;
};
