#include "BookmarkStore.h"
#include "CBookmarkListDlg.h"
#include "CBookmarkNameDlg.h"
#include "DialogScript.h"
#include "MessageRecorder.h"
#include "StoreInspection.h"
#include "TempEnvironment.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString kEnterName = QStringLiteral("Please enter a name for the bookmark");
const QString kOverwrite = QStringLiteral("A Bookmark with this name alredy exists, Overwrite?");

class BookmarkDialogs : public ::testing::Test {
protected:
    void Save(const QString& name) {
        ASSERT_EQ(store.Save(name, BookmarkStore::kMissing), BookmarkStore::SaveResult::saved);
    }

    TempEnvironment env;
    BookmarkStore store;
    MessageRecorder messages;
};

struct NameCase {
    const char* name;
    QStringList typed; // each typed into the emptied box, then Enter
    QList<int> answers;
    int result;
    const char* accepted;
    QStringList messages;
};

// Types the text as keys, any character included.
void Type(QWidget* widget, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

class NameDialog : public BookmarkDialogs, public ::testing::WithParamInterface<NameCase> {};

TEST_P(NameDialog, RefusesBlankNamesAndAsksBeforeOverwriting) {
    const NameCase& c = GetParam();
    Save(QStringLiteral("Monday"));
    Save(QStringLiteral("_Monday"));
    messages.Answer(c.answers);
    CBookmarkNameDlg dialog(store);
    const DialogScript script([&c](CDialog& shownDialog) {
        auto* edit = shownDialog.Item<QLineEdit>(CBookmarkNameDlg::kNameId);
        ASSERT_TRUE(edit->hasFocus());
        for (const QString& text : c.typed) {
            edit->clear();
            Type(edit, text);
            QTest::keyClick(edit, Qt::Key_Return);
            if (!shownDialog.isVisible())
                return;
        }
    });
    EXPECT_EQ(dialog.DoModal(), c.result);
    EXPECT_EQ(dialog.m_strName, QString::fromUtf8(c.accepted));
    EXPECT_EQ(messages.Texts(), c.messages);
}

INSTANTIATE_TEST_SUITE_P(
    Names, NameDialog,
    ::testing::Values(
        NameCase{"New", {"Tuesday"}, {}, IDOK, "Tuesday", {}},
        NameCase{"Empty", {""}, {}, IDCANCEL, "", {kEnterName}},
        NameCase{"FiveBlanks", {"     "}, {}, IDCANCEL, "", {kEnterName}},
        NameCase{"LeadingBlank", {" Tuesday"}, {}, IDOK, "_Tuesday", {}},
        NameCase{"LeadingBlankOfAnExisting", {" Monday"}, {IDYES}, IDOK, "_Monday", {kOverwrite}},
        NameCase{"OverwriteYes", {"Monday"}, {IDYES}, IDOK, "Monday", {kOverwrite}},
        NameCase{
            "OverwriteNoStaysOpen", {"Monday", "Sunday"}, {IDNO}, IDOK, "Sunday", {kOverwrite}},
        NameCase{"NotTheSameCase", {"monday"}, {}, IDOK, "monday", {}},
        NameCase{"TheProgramsOwnSection",
                 {"fav", "Fav"},
                 {},
                 IDOK,
                 "Fav",
                 {QStringLiteral("\"fav\" is a name Quelby keeps for its own settings.\nPlease "
                                 "enter another name for the bookmark")}},
        NameCase{"AnyCharacters", {"a/b\\c=d;[e]#\"f\" é"}, {}, IDOK, "a/b\\c=d;[e]#\"f\" é", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BookmarkDialogs, NameIsAtMostTwoHundredCharacters) {
    CBookmarkNameDlg dialog(store);
    const DialogScript script([](CDialog& shownDialog) {
        auto* edit = shownDialog.Item<QLineEdit>(CBookmarkNameDlg::kNameId);
        QTest::keyClicks(edit, QString(210, QLatin1Char('x')));
        QTest::keyClick(edit, Qt::Key_Return);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_strName, QString(200, QLatin1Char('x')));
}

QStringList ListedItems(CDialog& dialog) {
    auto* list = dialog.Item<QListWidget>(CBookmarkListDlg::kListId);
    QStringList items;
    for (int row = 0; row < list->count(); ++row)
        items << list->item(row)->text();
    return items;
}

TEST_F(BookmarkDialogs, ListShowsTheNamesSortedAndTakesTheOneUnderTheCaret) {
    for (const char* name : {"Zed", "apple", "Monday"})
        Save(QString::fromLatin1(name));
    CBookmarkListDlg dialog(store);
    QStringList items;
    int firstSelected = -1;
    const DialogScript script([&](CDialog& shownDialog) {
        items = ListedItems(shownDialog);
        auto* list = shownDialog.Item<QListWidget>(CBookmarkListDlg::kListId);
        firstSelected = list->currentRow();
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(items, (QStringList{"apple", "Monday", "Zed"}));
    EXPECT_EQ(firstSelected, 0);
    EXPECT_EQ(dialog.m_strName, QStringLiteral("Monday"));

    const DialogScript doubleClick([](CDialog& shownDialog) {
        auto* list = shownDialog.Item<QListWidget>(CBookmarkListDlg::kListId);
        const QRect zed = list->visualItemRect(list->item(2));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, zed.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, zed.center());
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_strName, QStringLiteral("Zed"));
}

TEST_F(BookmarkDialogs, DeleteLetsTheLastEntryFillTheHoleAndTheLastDeleteCloses) {
    for (const char* name : {"Zed", "apple", "Monday"})
        Save(QString::fromLatin1(name));
    CBookmarkListDlg dialog(store);
    QStringList afterFirst;
    const DialogScript script([&](CDialog& shownDialog) {
        auto* list = shownDialog.Item<QListWidget>(CBookmarkListDlg::kListId);
        list->setCurrentRow(2); // Zed, entry 1
        shownDialog.Item<QPushButton>(CBookmarkListDlg::kDeleteId)->click();
        afterFirst = ListedItems(shownDialog);
        EXPECT_EQ(list->currentRow(), 0);
        EXPECT_EQ(store.Names(), (QStringList{"Monday", "apple"}));
        EXPECT_TRUE(InvariantBreaches(Profile::App()).isEmpty());
        shownDialog.Item<QPushButton>(CBookmarkListDlg::kDeleteId)->click();
        shownDialog.Item<QPushButton>(CBookmarkListDlg::kDeleteId)->click();
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(afterFirst, (QStringList{"apple", "Monday"}));
    EXPECT_EQ(store.Total(), 0);
    EXPECT_TRUE(InvariantBreaches(Profile::App()).isEmpty());
}

TEST_F(BookmarkDialogs, ListWithNoBookmarksSaysSoAndNeverShows) {
    CBookmarkListDlg dialog(store);
    bool shownDialog = false;
    const DialogScript script([&](CDialog&) { shownDialog = true; });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_FALSE(shownDialog);
    EXPECT_EQ(messages.Texts(), QStringList{QStringLiteral("No Bookmarks Have Been Saved!")});
}

} // namespace
