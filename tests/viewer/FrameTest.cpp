#include "CAboutDlg.h"
#include "CBitmapButton.h"
#include "CBookmarkNameDlg.h"
#include "CMainFrame.h"
#include "ContextMenu.h"
#include "CquelbyApp.h"
#include "CquelbyDoc.h"
#include "CquelbyView.h"
#include "DeviceContext.h"
#include "FavouriteStore.h"
#include "HelpWindow.h"
#include "MainMenu.h"
#include "MainWindow.h"
#include "Profile.h"
#include "ResourceBitmap.h"
#include "ScreenMetrics.h"
#include "TempEnvironment.h"
#include "TestDisc.h"
#include "ViewerIds.h"
#include "ViewerTestSupport.h"
#include "Viewing.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using namespace ids;

struct PlaceCase {
    int width, height;
    QRect frame;
    QPoint forward;
};

class FramePlacement : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(FramePlacement, FollowsTheScreenWidthRule) {
    const PlaceCase& c = GetParam();
    EXPECT_EQ(ScreenMetrics::FrameRect(QSize(c.width, c.height)), c.frame);
    EXPECT_EQ(ScreenMetrics::ForwardButtonPos(c.width), c.forward);
    EXPECT_EQ(ScreenMetrics::BackButtonPos(), QPoint(1, 373));
}

INSTANTIATE_TEST_SUITE_P(
    Screens, FramePlacement,
    ::testing::Values(PlaceCase{640, 480, QRect(0, 0, 640, 450), QPoint(590, 373)},
                      PlaceCase{800, 600, QRect(60, 75, 680, 450), QPoint(630, 373)},
                      PlaceCase{1024, 768, QRect(172, 159, 680, 450), QPoint(630, 373)},
                      PlaceCase{641, 480, QRect(-19, 15, 680, 450), QPoint(590, 373)},
                      PlaceCase{642, 480, QRect(-19, 15, 680, 450), QPoint(630, 373)},
                      PlaceCase{679, 300, QRect(0, -75, 680, 450), QPoint(630, 373)}));

class Frame : public ::testing::Test {
protected:
    Frame() : disc(env.Scratch() + QStringLiteral("/disc")) {
        disc.AddCartoons(SomeCartoonNames());
        disc.Insert('D');
    }
    CquelbyApp& Start() {
        app = std::make_unique<CquelbyApp>();
        app->InitInstance({});
        return *app;
    }
    QAction* Action(int id) { return app->Frame()->Menu().Action(id); }
    bool Enabled(int id) {
        app->Frame()->Menu().Refresh();
        return Action(id)->isEnabled();
    }

    TempEnvironment env;
    ForcedScreen screen{800, 600, 24};
    TestDisc disc;
    MessageRecorder messages;
    std::unique_ptr<CquelbyApp> app;
};

TEST_F(Frame, HasMenu128InOrderWithEveryTextAndId) {
    Start();
    QStringList seen;
    for (QAction* top : app->Frame()->menuBar()->actions()) {
        QString line = top->text() + QStringLiteral(":");
        if (top->menu()) {
            // As the menu shows an item: its words, then its key after a tab.
            for (QAction* item : top->menu()->actions())
                line += item->isSeparator()
                            ? QStringLiteral(" -")
                            : QStringLiteral(" %1%2=%3")
                                  .arg(item->text(),
                                       item->shortcut().isEmpty()
                                           ? QString()
                                           : QLatin1Char('\t') + item->shortcut().toString())
                                  .arg(item->data().toInt());
        } else {
            line += QStringLiteral(" =%1").arg(top->data().toInt());
        }
        seen << line;
    }
    const QStringList expected{
        QStringLiteral("&File: Save &As...=57604 - &Print...\tCtrl+P=57607 Print Pre&view=57609 "
                       "P&rint Setup...=57606 - "
                       "E&xit=57665"),
        QStringLiteral("&Edit: &Copy     \tCtrl+C=57634"),
        QStringLiteral("&Browse: =32773"),
        QStringLiteral("Boo&kmark: Save Bookma&rk...=32780 &Load Bookmark...=32781 Save &Bookmark "
                       "on Exit=32784"),
        QStringLiteral("Favori&te: &Add To Favorite=32777 &Remove From Favorite=32778"),
        QStringLiteral("&Slide Show: =32783"),
        QStringLiteral("&Wallpaper: =32775"),
        QStringLiteral("&Help: &Contents=57666 &Using Help=57668 - &About Quelby...=57664"),
    };
    EXPECT_EQ(seen, expected);
}

TEST_F(Frame, AcceleratorTable128BindsEveryKey) {
    Start();
    const std::vector<std::pair<QKeySequence, int>> keys{
        {QKeySequence(QStringLiteral("Ctrl+P")), ID_FILE_PRINT},
        {QKeySequence(QStringLiteral("Ctrl+C")), ID_EDIT_COPY},
        {QKeySequence(QStringLiteral("Ctrl+Ins")), ID_EDIT_COPY},
        {QKeySequence(QStringLiteral("F1")), ID_HELP},
        {QKeySequence(QStringLiteral("Shift+F1")), ID_CONTEXT_HELP},
        {QKeySequence(QStringLiteral("Ctrl+N")), ID_FILE_NEW},
        {QKeySequence(QStringLiteral("Ctrl+O")), ID_FILE_OPEN},
        {QKeySequence(QStringLiteral("Ctrl+S")), ID_FILE_SAVE},
        {QKeySequence(QStringLiteral("Ctrl+Z")), ID_EDIT_UNDO},
        {QKeySequence(QStringLiteral("Alt+Backspace")), ID_EDIT_UNDO},
        {QKeySequence(QStringLiteral("Ctrl+X")), ID_EDIT_CUT},
        {QKeySequence(QStringLiteral("Shift+Del")), ID_EDIT_CUT},
        {QKeySequence(QStringLiteral("Ctrl+V")), ID_EDIT_PASTE},
        {QKeySequence(QStringLiteral("Shift+Ins")), ID_EDIT_PASTE},
        {QKeySequence(QStringLiteral("F6")), ID_NEXT_PANE},
        {QKeySequence(QStringLiteral("Shift+F6")), ID_PREV_PANE},
    };
    for (const auto& [key, id] : keys) {
        int found = 0;
        for (QAction* action : app->Frame()->actions()) {
            if (action->shortcuts().contains(key))
                found = action->data().toInt();
        }
        EXPECT_EQ(found, id) << key.toString().toStdString();
    }
    // Keys without a handler are disabled, so they do nothing.
    for (int id : {ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_PASTE, ID_NEXT_PANE, ID_PREV_PANE}) {
        EXPECT_FALSE(Enabled(id)) << id;
        EXPECT_FALSE(app->Frame()->Router().Execute(id));
    }
}

TEST_F(Frame, EveryCommandOfTheMenusDoesItsWork) {
    Start();
    QList<int> commands;
    for (QAction* top : app->Frame()->menuBar()->actions()) {
        if (!top->menu()) {
            commands << top->data().toInt();
            continue;
        }
        for (QAction* item : top->menu()->actions()) {
            if (!item->isSeparator())
                commands << item->data().toInt();
        }
    }
    ContextMenu::SetHook([&commands](QMenu& menu) -> QAction* {
        for (QAction* item : menu.actions()) {
            if (!item->isSeparator())
                commands << item->data().toInt();
        }
        return nullptr;
    });
    ContextMenu::Track(app->View(), QPoint(), app->Frame()->Router());
    ASSERT_EQ(commands.size(), 17 + 9); // menu 128 and menu 233
    for (int id : commands)
        EXPECT_TRUE(app->Frame()->Router().Has(id)) << id;
    // Available on the cover: the picture's commands among them.
    for (int id : {ID_SLIDE_SHOW, ID_WALLPAPER, ID_EDIT_COPY, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW})
        EXPECT_TRUE(Enabled(id)) << id;
}

TEST_F(Frame, MenuStatesFollowTheCoverTheCartoonAndTheMode) {
    Start();
    const ViewState& s = app->Model().State();
    // The cover.
    EXPECT_FALSE(Enabled(ID_ADD_FAVORITE));
    EXPECT_FALSE(Enabled(ID_SAVE_BOOKMARK));
    EXPECT_FALSE(Enabled(ID_REMOVE_FAVORITE));
    EXPECT_FALSE(Enabled(ID_LOAD_BOOKMARK));
    EXPECT_TRUE(Enabled(ID_EDIT_COPY));
    EXPECT_TRUE(Action(ID_BOOKMARK_ON_EXIT)->isChecked());
    for (int id : {ID_FILE_SAVE_AS, ID_FILE_PRINT_SETUP, ID_APP_EXIT, ID_HELP_INDEX, ID_HELP_USING,
                   ID_APP_ABOUT})
        EXPECT_TRUE(Enabled(id)) << id;
    // A cartoon.
    app->View()->ForwardButton()->click();
    EXPECT_EQ(s.m_selection.imageCounter, 1);
    EXPECT_TRUE(Enabled(ID_ADD_FAVORITE));
    EXPECT_TRUE(Enabled(ID_SAVE_BOOKMARK));
    EXPECT_FALSE(Enabled(ID_REMOVE_FAVORITE));
    // Favourites mode.
    ASSERT_EQ(FavouriteStore().Add(s.m_strCurrentName), FavouriteStore::AddResult::added);
    app->Model().Show(Selection{ViewMode::favourites, 1, 1, 7, 1, 1, 21, QString()});
    ASSERT_EQ(s.m_selection.mode, ViewMode::favourites);
    EXPECT_FALSE(Enabled(ID_ADD_FAVORITE));
    EXPECT_TRUE(Enabled(ID_REMOVE_FAVORITE));
    // A stored bookmark enables loading.
    Profile::App().WriteInt(QStringLiteral("bookmark"), QStringLiteral("total"), 1);
    EXPECT_TRUE(Enabled(ID_LOAD_BOOKMARK));
    // No picture: Copy and its keys do nothing.
    app->Document()->ReleasePicture();
    EXPECT_FALSE(Enabled(ID_EDIT_COPY));
    EXPECT_FALSE(app->Frame()->Router().Execute(ID_EDIT_COPY));
}

TEST_F(Frame, BookmarkOnExitTogglesAndSurvivesTheNextStart) {
    Start();
    Action(ID_BOOKMARK_ON_EXIT)->trigger();
    EXPECT_FALSE(Action(ID_BOOKMARK_ON_EXIT)->isChecked());
    EXPECT_EQ(app->Model().State().m_nSaveOnExit, 0);
    app->Frame()->close();
    app.reset();
    EXPECT_EQ(Profile::App().GetInt(QStringLiteral("cdrom"), QStringLiteral("saveonexit"), 1), 0);
    Start();
    EXPECT_FALSE(Action(ID_BOOKMARK_ON_EXIT)->isChecked());
    Action(ID_BOOKMARK_ON_EXIT)->trigger();
    EXPECT_TRUE(Action(ID_BOOKMARK_ON_EXIT)->isChecked());
}

TEST_F(Frame, WindowIsFixedAtTheOuterRectangleWithoutMaximiseBox) {
    Start();
    CMainFrame* frame = app->Frame();
    EXPECT_EQ(frame->frameGeometry(), QRect(60, 75, 680, 450));
    EXPECT_EQ(frame->minimumSize(), frame->maximumSize());
    EXPECT_FALSE(frame->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(frame->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(frame->menuBar()->isVisible());
    EXPECT_EQ(frame->centralWidget(), app->View());
}

TEST_F(Frame, ButtonsSitByTheScreenRuleWithTheirBitmaps) {
    Start();
    CBitmapButton* forward = app->View()->ForwardButton();
    CBitmapButton* back = app->View()->BackButton();
    EXPECT_EQ(forward->geometry(), QRect(630, 373, 39, 30));
    EXPECT_EQ(back->geometry(), QRect(1, 373, 39, 30));
    EXPECT_EQ(forward->WindowText(), QStringLiteral("forwardu"));
    EXPECT_EQ(back->WindowText(), QStringLiteral("backu"));
    EXPECT_EQ(forward->CommandId(), ID_FORWARD);
    EXPECT_EQ(back->CommandId(), ID_BACK);
    EXPECT_NE(forward->NormalImage(), forward->PressedImage());
    EXPECT_NE(forward->NormalImage(), back->NormalImage());
    back->click();
    EXPECT_EQ(app->Model().State().m_selection.imageCounter, 743);
    // Named for assistive technology and for the pointer's tip; the picture
    // area by the caption.
    EXPECT_EQ(forward->accessibleName(), QStringLiteral("Next cartoon"));
    EXPECT_EQ(back->toolTip(), QStringLiteral("Previous cartoon"));
    EXPECT_EQ(app->View()->accessibleName(), app->Frame()->windowTitle().trimmed());
}

// However much the decorations and the menu bar take, the view holds its
// buttons whole; where they take little the frame keeps its size.
TEST_F(Frame, TheWindowAlwaysHoldsItsButtonsAndKeepsItsSizeWhereItCan) {
    Start();
    for (const int menuPoints : {0, 48}) {
        if (menuPoints > 0) {
            QFont large = app->Frame()->menuBar()->font();
            large.setPointSize(menuPoints);
            app->Frame()->menuBar()->setFont(large);
            app->Frame()->ShowNormalSize();
        }
        QCoreApplication::processEvents();
        const QRect buttons =
            app->View()->ForwardButton()->geometry() | app->View()->BackButton()->geometry();
        EXPECT_TRUE(app->View()->rect().contains(buttons)) << menuPoints;
        const QSize outer = app->Frame()->frameGeometry().size();
        if (menuPoints == 0)
            EXPECT_EQ(outer, QSize(680, 450));
        else
            EXPECT_GT(outer.height(), 450);
    }
}

struct KeyCase {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int focus; // the view (0) or the command id of the button that has the focus
    int step;  // +1 forward, -1 back, 0: the right-button menu opens instead
};

class FrameKeys : public Frame, public ::testing::WithParamInterface<KeyCase> {};

// The keys page as the buttons do and open the right-button menu, wherever
// the focus is in the window.
TEST_P(FrameKeys, PageOrOpenTheMenu) {
    const KeyCase& c = GetParam();
    Start();
    app->Frame()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(app->Frame()));
    app->Frame()->Router().Execute(ID_FORWARD);
    app->Frame()->Router().Execute(ID_FORWARD);
    int menus = 0;
    ContextMenu::SetHook([&menus](QMenu&) -> QAction* {
        ++menus;
        return nullptr;
    });
    QWidget* focus = c.focus == ID_BACK      ? app->View()->BackButton()
                     : c.focus == ID_FORWARD ? app->View()->ForwardButton()
                                             : static_cast<QWidget*>(app->View());
    focus->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(focus->hasFocus());
    QTest::keyClick(focus, c.key, c.modifiers);
    EXPECT_EQ(app->Model().State().m_selection.imageCounter, 2 + c.step);
    EXPECT_EQ(menus, c.step == 0 ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, FrameKeys,
    ::testing::Values(KeyCase{"Right", Qt::Key_Right, {}, 0, 1},
                      KeyCase{"PageDown", Qt::Key_PageDown, {}, 0, 1},
                      KeyCase{"Space", Qt::Key_Space, {}, 0, 1},
                      KeyCase{"Left", Qt::Key_Left, {}, 0, -1},
                      KeyCase{"PageUp", Qt::Key_PageUp, {}, 0, -1},
                      KeyCase{"Backspace", Qt::Key_Backspace, {}, 0, -1},
                      KeyCase{"RightOnTheBackButton", Qt::Key_Right, {}, ID_BACK, 1},
                      KeyCase{"SpacePressesTheBackButton", Qt::Key_Space, {}, ID_BACK, -1},
                      KeyCase{"BackspaceOnTheForwardButton", Qt::Key_Backspace, {}, ID_FORWARD, -1},
                      KeyCase{"ShiftF10", Qt::Key_F10, Qt::ShiftModifier, 0, 0},
                      KeyCase{"MenuKey", Qt::Key_Menu, {}, ID_FORWARD, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Frame, SmallLowColourScreenTakesTheOtherButtonsAndPlaces) {
    ForcedScreen small(640, 480, 8);
    Start();
    EXPECT_EQ(app->Frame()->frameGeometry(), QRect(0, 0, 640, 450));
    EXPECT_EQ(app->View()->ForwardButton()->geometry(), QRect(590, 373, 39, 30));
    EXPECT_EQ(app->View()->ForwardButton()->WindowText(), QStringLiteral("bforwardu"));
    EXPECT_EQ(app->View()->BackButton()->WindowText(), QStringLiteral("bbacku"));
    EXPECT_EQ(app->Model().State().m_bLowColour, 1);
    EXPECT_NE(app->View()->ForwardButton()->NormalImage(),
              LoadResourceBitmap(BitmapResource(IDB_FORWARD_UP)));
}

// The view realizes the palette on a context of the main window's client
// area, so without a main window it realizes nothing.
TEST_F(Frame, PaletteIsRealizedOnlyWithAMainWindow) {
    ForcedScreen small(640, 480, 8);
    Start();
    CPalette* palette = app->Document()->Palette();
    ASSERT_NE(palette, nullptr);
    // System palette entries the document's palette still changes when realized.
    const auto changedByRealizing = [palette] {
        CDC dc;
        dc.SelectPalette(palette, false);
        return dc.RealizePalette();
    };
    CDC::ResetSystemPalette();
    AfxSetMainWnd(nullptr);
    EXPECT_EQ(app->View()->RealizeBitmapPalette(), 0);
    EXPECT_GT(changedByRealizing(), 0);
    CDC::ResetSystemPalette();
    AfxSetMainWnd(app->Frame());
    EXPECT_EQ(app->View()->RealizeBitmapPalette(), 0);
    EXPECT_EQ(changedByRealizing(), 0);
}

TEST_F(Frame, CloseRunsTheExitWorkOnceAndOnlyAfterAMove) {
    Start();
    // The bookmark offered on exit: its name dialog, cancelled.
    int saves = 0;
    DialogScript script([&saves](CDialog& d) {
        EXPECT_EQ(d.TemplateId(), CBookmarkNameDlg::kTemplateId);
        ++saves;
    });
    app->Frame()->close();
    EXPECT_EQ(saves, 0); // only the cover was shown
    app.reset();
    Start();
    app->View()->ForwardButton()->click();
    ASSERT_EQ(app->Model().State().m_bMoved, 1);
    Action(ID_APP_EXIT)->trigger();
    EXPECT_EQ(saves, 1);
    EXPECT_FALSE(app->Frame()->isVisible());
    app->Model().ExitWork(); // the second destroy message finds nothing to do
    EXPECT_EQ(saves, 1);
}

TEST_F(Frame, AnAbortRunsNoExitWorkAndWritesNothing) {
    Start();
    int saves = 0;
    DialogScript script([&saves](CDialog&) { ++saves; });
    app->View()->ForwardButton()->click();
    ASSERT_EQ(app->Model().State().m_bMoved, 1);
    TestDisc::InsertNothing(); // the CD is taken out and stays out
    AbortCatcher abort;
    EXPECT_THROW(app->Frame()->Router().Execute(ID_FORWARD), AbortCalled);
    EXPECT_EQ(app->Frame(), nullptr);
    EXPECT_EQ(saves, 0);
    EXPECT_EQ(Profile::App().GetInt(QStringLiteral("cdrom"), QStringLiteral("saveonexit"), -1), -1);
}

TEST_F(Frame, HelpOpensTheProgramsOwnPages) {
    Start();
    Action(ID_HELP_INDEX)->trigger();
    ASSERT_NE(app->Frame()->Help(), nullptr);
    EXPECT_TRUE(app->Frame()->Help()->isVisible());
    EXPECT_TRUE(
        app->Frame()->Help()->PageHtml().contains(QStringLiteral("Paging through the cartoons")));
    Action(ID_HELP_USING)->trigger();
    EXPECT_TRUE(app->Frame()->Help()->PageHtml().contains(QStringLiteral("Using Help")));
    app->Frame()->Router().Execute(ID_HELP);
    EXPECT_TRUE(
        app->Frame()->Help()->PageHtml().contains(QStringLiteral("Paging through the cartoons")));
}

TEST_F(Frame, AboutShowsDialog100) {
    Start();
    QString title;
    QStringList texts;
    bool hasIcon = false;
    bool closedByEnter = false;
    const DialogScript script([&](CDialog& dialog) {
        title = dialog.windowTitle();
        for (const QLabel* label : dialog.findChildren<QLabel*>()) {
            texts << label->text();
            hasIcon = hasIcon || !label->pixmap().isNull();
        }
        ASSERT_NE(dialog.Item<QPushButton>(IDOK), nullptr);
        QTest::keyClick(&dialog, Qt::Key_Return);
        closedByEnter = !dialog.isVisible();
    });
    Action(ID_APP_ABOUT)->trigger();
    EXPECT_EQ(title, QStringLiteral("About Quelby"));
    EXPECT_TRUE(texts.contains(QStringLiteral("Quelby: The 1st Treasury Version  1.0")));
    EXPECT_TRUE(hasIcon);
    EXPECT_TRUE(closedByEnter);
}

} // namespace
