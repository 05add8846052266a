#pragma once

#include "CDialog.h"

class BookmarkStore;

// Dialog 154: asks the name to save a bookmark under. OK refuses an empty or
// all-blank name, stores a leading blank as "_", and asks before it lets an
// existing bookmark be overwritten (No keeps the dialog open).
class CBookmarkNameDlg : public CDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 154;
    static constexpr int kNameId = 1004;
    static constexpr int kMaxNameLength = 200;

    explicit CBookmarkNameDlg(const BookmarkStore& store, QWidget* parent = nullptr);

    QString m_strName; // the name accepted

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    const BookmarkStore& m_store;
};
