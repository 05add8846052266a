#include "CCategoryDlg.h"
#include "CSaverSetupDlg.h"
#include "CScreenSaverApp.h"
#include "DialogScript.h"
#include "MessageRecorder.h"
#include "SaverIds.h"
#include "TempEnvironment.h"

#include <QLineEdit>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

using namespace saverids;
using Values = QMap<QString, QString>;

class Configuration : public ::testing::Test {
protected:
    // Runs the configuration as the command line asks, with the dialogs given.
    void Configure(std::vector<DialogSequence::Step> steps, const QStringList& arguments = {}) {
        const DialogSequence dialogs(std::move(steps));
        CScreenSaverApp app;
        EXPECT_FALSE(app.InitInstance(arguments));
        EXPECT_EQ(app.ExitInstance(), 0);
    }
    Values Section() const { return profile.Values(QStringLiteral("ScreenSaver")); }
    void StoreFavourites(int total) {
        profile.WriteInt(QStringLiteral("fav"), QStringLiteral("total"), total);
        for (int i = 1; i <= total; ++i)
            profile.WriteString(QStringLiteral("fav"), QString::number(i),
                                QStringLiteral("1T00%1AN1.BMP").arg(i));
    }
    static DialogSequence::Step Setup(std::function<void(CDialog&)> act) {
        return {IDD_SETUP, std::move(act)};
    }
    static DialogSequence::Step Press136(int id) {
        return {IDD_SETUP, [id](CDialog& d) { Press(d, id); }};
    }
    static DialogSequence::Step Category(int radioId, int button) {
        return {CCategoryDlg::kTemplateId, [radioId, button](CDialog& d) {
                    d.Item<QRadioButton>(radioId)->click();
                    Press(d, button);
                }};
    }

    TempEnvironment env;
    Profile profile = Profile::App();
    MessageRecorder messages;
};

TEST_F(Configuration, AllCartoonsStoresTheWholeCatalogueFromTheStart) {
    Configure({Press136(IDC_ALL_CARTOONS)});
    EXPECT_EQ(Section(), (Values{{"mode", "1"},
                                 {"currentTreasury", "1"},
                                 {"treasury1", "1"},
                                 {"all", "1"},
                                 {"imageCounter", "0"},
                                 {"imageMax", "743"},
                                 {"categoryShort", ""},
                                 {"category", "0"},
                                 {"delay", "3"},
                                 {"saveOnExit", "1"}}));
}

TEST_F(Configuration, FavoriteStoresTheCountAndZerosForWhatItDoesNotSet) {
    StoreFavourites(4);
    Configure({Press136(IDC_FAVORITE)}, {QStringLiteral("/c")});
    EXPECT_EQ(Section(), (Values{{"mode", "5"},
                                 {"currentTreasury", "0"},
                                 {"treasury1", "0"},
                                 {"all", "0"},
                                 {"imageCounter", "0"},
                                 {"imageMax", "4"},
                                 {"categoryShort", ""},
                                 {"category", "0"},
                                 {"delay", "3"},
                                 {"saveOnExit", "1"}}));
}

TEST_F(Configuration, CategoryThenAnimalsAndFinishStoresTheCategory) {
    Configure({Press136(IDC_CATEGORY), Category(1002, IDOK)}, {QStringLiteral("-C")});
    EXPECT_EQ(Section(), (Values{{"mode", "2"},
                                 {"currentTreasury", "1"},
                                 {"treasury1", "1"},
                                 {"all", "0"},
                                 {"imageCounter", "0"},
                                 {"imageMax", "743"},
                                 {"categoryShort", "AN"},
                                 {"category", "21"},
                                 {"delay", "3"},
                                 {"saveOnExit", "1"}}));
}

TEST_F(Configuration, BackBringsTheDialogAgainAndStoresNothingOfTheCategory) {
    Configure({Press136(IDC_CATEGORY), Category(1020, IDCANCEL), Press136(IDCANCEL)});
    // Only what the first dialog's choice button stored.
    EXPECT_EQ(Section(), (Values{{"delay", "3"}, {"saveOnExit", "1"}}));
    Configure({Press136(IDC_CATEGORY), Category(1020, IDCANCEL), Press136(IDC_ALL_CARTOONS)});
    EXPECT_EQ(Section().value("mode"), QStringLiteral("1"));
    EXPECT_EQ(Section().value("all"), QStringLiteral("1"));
    EXPECT_EQ(Section().value("category"), QStringLiteral("0"));
}

TEST_F(Configuration, OkAloneStoresOnlyTheViewTimeAndTheCheckBox) {
    profile.WriteInt(QStringLiteral("ScreenSaver"), QStringLiteral("imageCounter"), 55);
    Configure({Setup([](CDialog& d) {
        d.Item<QLineEdit>(IDC_VIEW_TIME)->setText(QStringLiteral("12"));
        d.Item<QAbstractButton>(IDC_SAVE_LOCATION)->click();
        Press(d, IDOK);
    })});
    EXPECT_EQ(Section(), (Values{{"imageCounter", "55"}, {"delay", "12"}, {"saveOnExit", "0"}}));
}

TEST_F(Configuration, CancelStoresNothing) {
    Configure({Setup([](CDialog& d) {
        d.Item<QLineEdit>(IDC_VIEW_TIME)->setText(QStringLiteral("12"));
        Press(d, IDCANCEL);
    })});
    EXPECT_EQ(Section(), Values());
}

TEST_F(Configuration, TheDialogOpensWithTheStoredViewTimeAndCheckBox) {
    profile.WriteInt(QStringLiteral("ScreenSaver"), QStringLiteral("delay"), 42);
    profile.WriteInt(QStringLiteral("ScreenSaver"), QStringLiteral("saveOnExit"), 0);
    QString shown;
    bool checked = true;
    Configure({Setup([&](CDialog& d) {
        shown = d.Item<QLineEdit>(IDC_VIEW_TIME)->text();
        checked = d.Item<QAbstractButton>(IDC_SAVE_LOCATION)->isChecked();
        Press(d, IDCANCEL);
    })});
    EXPECT_EQ(shown, QStringLiteral("42"));
    EXPECT_FALSE(checked);
}

TEST_F(Configuration, OtherArgumentsShowNothing) {
    for (const char* argument : {"/p", "/a", "/c:1234", "x"}) {
        CScreenSaverApp app;
        EXPECT_FALSE(app.InitInstance({QString::fromLatin1(argument), QStringLiteral("1234")}));
        EXPECT_EQ(app.ExitInstance(), 0);
        EXPECT_EQ(app.SaverWindow(), nullptr);
    }
    EXPECT_EQ(Section(), Values());
}

} // namespace
