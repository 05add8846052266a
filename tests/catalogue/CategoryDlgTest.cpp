#include "CCategoryDlg.h"
#include "Categories.h"
#include "DialogScript.h"
#include "TempEnvironment.h"

#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class CategoryDialog : public ::testing::Test {
protected:
    // Runs the dialog with a person's actions; returns its result.
    int Run(CCategoryDlg& dialog, std::function<void(CDialog&)> actions) {
        const DialogScript script([&](CDialog& shown) {
            checkedOnOpening.clear();
            for (const Category& category : CategoryTable()) {
                if (shown.IsDlgButtonChecked(category.controlId))
                    checkedOnOpening << category.controlId;
            }
            actions(shown);
        });
        return dialog.DoModal();
    }
    TempEnvironment env;
    QList<int> checkedOnOpening;
};

TEST_F(CategoryDialog, OpensOnAfterLifeAndFinishTakesTheCheckedButton) {
    CCategoryDlg dialog;
    // Every category's button, with its label, gives its number.
    for (const Category& category : CategoryTable()) {
        const int result = Run(dialog, [&](CDialog& shown) {
            auto* button = shown.Item<QRadioButton>(category.controlId);
            ASSERT_NE(button, nullptr);
            EXPECT_EQ(button->text(), QString::fromLatin1(category.label));
            QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
            QTest::keyClick(&shown, Qt::Key_Return);
        });
        EXPECT_EQ(result, IDOK);
        EXPECT_EQ(dialog.m_nCategory, category.number);
        // The choice of the last run is not what the next opens on.
        EXPECT_EQ(checkedOnOpening, QList<int>{1015});
    }
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Select Catagory To View"));
}

TEST_F(CategoryDialog, BackAndEscapeCancel) {
    CCategoryDlg dialog;
    dialog.m_nCategory = 23;
    EXPECT_EQ(Run(dialog, [](CDialog& shown) { shown.Item<QAbstractButton>(IDCANCEL)->click(); }),
              IDCANCEL);
    EXPECT_EQ(Run(dialog, [](CDialog& shown) { QTest::keyClick(&shown, Qt::Key_Escape); }),
              IDCANCEL);
    EXPECT_EQ(dialog.m_nCategory, 23);
    EXPECT_EQ(dialog.Item<QAbstractButton>(IDCANCEL)->text(), QStringLiteral("< &Back"));
    EXPECT_EQ(dialog.Item<QAbstractButton>(IDOK)->text(), QStringLiteral("F&inish"));
}

} // namespace
