#include "CBitmapButton.h"
#include "CCategoryDlg.h"
#include "CSaverSetupDlg.h"
#include "Categories.h"
#include "DeviceContext.h"
#include "DialogScript.h"
#include "MessageRecorder.h"
#include "Profile.h"
#include "SaverIds.h"
#include "TempEnvironment.h"
#include "UpDownControl.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

using namespace saverids;

class SetupDialog : public ::testing::Test {
protected:
    // Opens the dialog and lets `look` see it as the user does; then cancels.
    int Run(CSaverSetupDlg& dialog, std::function<void(CDialog&)> look) {
        const DialogScript script([&](CDialog& shown) { look(shown); });
        return dialog.DoModal();
    }
    TempEnvironment env;
    MessageRecorder messages;
};

TEST_F(SetupDialog, OpensWithTheFocusOnTheArrowsAndTwoCharactersAtMost) {
    CSaverSetupDlg dialog;
    dialog.m_nViewTime = 42;
    Run(dialog, [](CDialog& d) {
        auto* field = d.Item<QLineEdit>(IDC_VIEW_TIME);
        EXPECT_EQ(QApplication::focusWidget(), d.GetDlgItem(IDC_ARROWS));
        EXPECT_EQ(field->maxLength(), 2);
        QTest::keyClick(d.GetDlgItem(IDC_ARROWS), Qt::Key_Up);
        EXPECT_EQ(field->text(), QStringLiteral("43"));
        field->setText(QStringLiteral("99"));
        d.GetDlgItem(IDC_ARROWS)->findChild<QToolButton*>(QStringLiteral("up"))->click();
        EXPECT_EQ(field->text(), QStringLiteral("99"));
        field->setText(QStringLiteral("1"));
        QTest::keyClick(d.GetDlgItem(IDC_ARROWS), Qt::Key_Down);
        EXPECT_EQ(field->text(), QStringLiteral("1"));
        field->clear();
        QTest::keyClicks(field, QStringLiteral("150"));
        EXPECT_EQ(field->text(), QStringLiteral("15"));
        Press(d, IDCANCEL);
    });
}

TEST_F(SetupDialog, EnterWithTheFocusOnTheArrowsIsOk) {
    CSaverSetupDlg dialog;
    dialog.m_nViewTime = 7;
    dialog.m_nSaveLocation = 1;
    const int result =
        Run(dialog, [](CDialog& d) { QTest::keyClick(d.GetDlgItem(IDC_ARROWS), Qt::Key_Return); });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.m_bChoiceMade, 0);
    const Profile profile = Profile::App();
    EXPECT_EQ(profile.GetInt(QStringLiteral("ScreenSaver"), QStringLiteral("delay"), 0), 7);
    EXPECT_EQ(profile.GetInt(QStringLiteral("ScreenSaver"), QStringLiteral("saveOnExit"), 9), 1);
}

struct RefusalCase {
    const char* name;
    const char* typed;
    const char* message;
};

class RefusedViewTimes : public ::testing::TestWithParam<RefusalCase> {
protected:
    TempEnvironment env;
    MessageRecorder messages;
};

TEST_P(RefusedViewTimes, KeepTheDialogOpenWithTheFocusOnTheField) {
    CSaverSetupDlg dialog;
    bool open = false;
    bool focused = false;
    const DialogScript script([&](CDialog& d) {
        d.Item<QLineEdit>(IDC_VIEW_TIME)->setText(QString::fromLatin1(GetParam().typed));
        Press(d, IDOK);
        open = d.isVisible();
        focused = d.GetDlgItem(IDC_VIEW_TIME)->hasFocus();
        Press(d, IDCANCEL);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(open);
    EXPECT_TRUE(focused);
    EXPECT_EQ(messages.Texts(), QStringList{QString::fromLatin1(GetParam().message)});
    EXPECT_EQ(Profile::App().Entries(QStringLiteral("ScreenSaver")), QStringList());
}

INSTANTIATE_TEST_SUITE_P(
    Typed, RefusedViewTimes,
    ::testing::Values(RefusalCase{"Zero", "0", "Please enter an integer between 1 and 99."},
                      RefusalCase{"Empty", "", "Please enter an integer."},
                      RefusalCase{"Letters", "ab", "Please enter an integer."},
                      RefusalCase{"DigitThenLetter", "5x", "Please enter an integer."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SetupDialog, TheBannerSuitsTheDisplaysDepth) {
    for (const auto& [depth, text, size] :
         {std::tuple{24, "banner", QSize(512, 171)}, std::tuple{8, "bbanner", QSize(510, 170)}}) {
        CDC::ForceScreenBitsPixel(depth);
        CSaverSetupDlg dialog;
        Run(dialog, [&](CDialog& d) {
            auto* banner = d.Item<CBitmapButton>(IDC_BANNER);
            EXPECT_EQ(banner->WindowText(), QString::fromLatin1(text));
            EXPECT_EQ(banner->size(), size);
            EXPECT_FALSE(banner->NormalImage().isNull());
            Press(d, IDCANCEL);
        });
        EXPECT_EQ(dialog.m_bLowColourBanner, depth == 8 ? 1 : 0);
    }
}

TEST_F(SetupDialog, FavoriteIsOfferedOnlyWithFavourites) {
    Profile profile = Profile::App();
    for (const int total : {0, -3, 2}) {
        profile.WriteInt(QStringLiteral("fav"), QStringLiteral("total"), total);
        CSaverSetupDlg dialog;
        bool enabled = false;
        Run(dialog, [&](CDialog& d) {
            enabled = d.GetDlgItem(IDC_FAVORITE)->isEnabled();
            Press(d, IDCANCEL);
        });
        EXPECT_EQ(enabled, total > 0) << total;
    }
}

TEST(SaverCategoryDialog, OpensOnAfterLifeEveryTimeAndFinishTakesTheChoice) {
    TempEnvironment env;
    CCategoryDlg dialog(CCategoryDlg::kSaverWidth);
    for (const Category& category : CategoryTable()) {
        bool afterLifeOnOpening = false;
        const DialogScript script([&](CDialog& d) {
            afterLifeOnOpening = d.IsDlgButtonChecked(1015);
            d.Item<QRadioButton>(category.controlId)->click();
            QTest::keyClick(&d, Qt::Key_Return);
        });
        EXPECT_EQ(dialog.DoModal(), IDOK);
        EXPECT_TRUE(afterLifeOnOpening);
        EXPECT_EQ(dialog.m_nCategory, category.number);
    }
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Select Catagory To View"));
    EXPECT_EQ(dialog.size(), MapDialogSize(dialog.font(), QSize(225, 175)));
    const DialogScript back([](CDialog& d) { Press(d, IDCANCEL); });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

} // namespace
