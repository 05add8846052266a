#include "CDialog.h"
#include "DialogScript.h"
#include "MessageRecorder.h"
#include "TempEnvironment.h"
#include "UpDownControl.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

constexpr int kOther = 101;
constexpr int kFirstRadio = 1002;

// A dialog that records which of its handlers ran.
class Probe : public CDialog {
public:
    explicit Probe(bool withDefault)
        : CDialog({154,
                   QStringLiteral("Probe"),
                   QSize(200, 100),
                   {
                       {ControlKind::edit, 1004, QString(), QRect(5, 5, 100, 12)},
                       {withDefault ? ControlKind::defPushButton : ControlKind::pushButton, IDOK,
                        QStringLiteral("&OK"), QRect(5, 30, 40, 14)},
                       {ControlKind::pushButton, IDCANCEL, QStringLiteral("&Cancel"),
                        QRect(50, 30, 40, 14)},
                       {ControlKind::pushButton, kOther, QStringLiteral("&Delete"),
                        QRect(95, 30, 40, 14)},
                       {ControlKind::radioButton, kFirstRadio, QStringLiteral("&One"),
                        QRect(5, 50, 40, 10)},
                       {ControlKind::radioButton, kFirstRadio + 1, QStringLiteral("&Two"),
                        QRect(5, 62, 40, 10)},
                   }}) {}
    QStringList ran;

protected:
    void OnOK() override {
        ran << QStringLiteral("ok");
        CDialog::OnOK();
    }
    void OnCancel() override {
        ran << QStringLiteral("cancel");
        CDialog::OnCancel();
    }
    void OnCommand(int id) override { ran << QString::number(id); }
};

struct KeyCase {
    const char* name;
    bool withDefault;
    int focusId; // 0: the edit box keeps the focus
    Qt::Key key;
    const char* ran;
    int result;
};

class DialogKeys : public ::testing::TestWithParam<KeyCase> {
protected:
    TempEnvironment env;
};

TEST_P(DialogKeys, EnterAndEscapeReachTheHandlersAsOnWindows) {
    const KeyCase& c = GetParam();
    Probe probe(c.withDefault);
    const DialogScript script([&c](CDialog& dialog) {
        if (c.focusId != 0)
            dialog.GetDlgItem(c.focusId)->setFocus();
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget()
                                                    : static_cast<QWidget*>(&dialog),
                        c.key);
    });
    EXPECT_EQ(probe.DoModal(), c.result);
    EXPECT_EQ(probe.ran.join(','), QString::fromLatin1(c.ran));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, DialogKeys,
    ::testing::Values(KeyCase{"EnterPressesTheDefault", true, 0, Qt::Key_Return, "ok", IDOK},
                      KeyCase{"EnterWithoutDefaultSendsOk", false, 0, Qt::Key_Enter, "ok", IDOK},
                      KeyCase{"EnterPressesTheFocusedButton", true, kOther, Qt::Key_Return, "101",
                              IDCANCEL},
                      KeyCase{"EscapeCancels", true, 0, Qt::Key_Escape, "cancel", IDCANCEL}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Dialog, ControlsArePlacedInDialogUnitsOfItsFont) {
    TempEnvironment env;
    Probe probe(true);
    const QFontMetrics metrics(probe.font());
    const int average = (metrics.horizontalAdvance(QStringLiteral(
                             "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                             26 +
                         1) /
                        2;
    // 200 x 100 units: 50 average characters across, 12.5 lines down.
    EXPECT_EQ(probe.width(), average * 50);
    EXPECT_EQ(probe.height(), (100 * metrics.height() + 4) / 8);
    EXPECT_EQ(probe.GetDlgItem(IDOK)->geometry().topLeft(),
              QPoint((5 * average + 2) / 4, (30 * metrics.height() + 4) / 8));
    EXPECT_EQ(probe.GetDlgItem(12345), nullptr);
}

TEST(Dialog, RadioButtonsAndSortedLists) {
    TempEnvironment env;
    Probe probe(true);
    probe.CheckRadioButton(kFirstRadio, kFirstRadio + 1, kFirstRadio + 1);
    EXPECT_TRUE(probe.IsDlgButtonChecked(kFirstRadio + 1));
    probe.CheckRadioButton(kFirstRadio, kFirstRadio + 1, kFirstRadio);
    EXPECT_TRUE(probe.IsDlgButtonChecked(kFirstRadio));
    EXPECT_FALSE(probe.IsDlgButtonChecked(kFirstRadio + 1));

    QListWidget list;
    for (const char* name : {"Zed", "apple", "Monday", "monday", "_Monday"})
        CDialog::AddSortedString(list, QString::fromLatin1(name));
    QStringList order;
    for (int row = 0; row < list.count(); ++row)
        order << list.item(row)->text();
    EXPECT_EQ(order, (QStringList{"_Monday", "apple", "Monday", "monday", "Zed"}));
}

} // namespace

namespace {

// A view time of 1 to 99 seconds: an edit box with its arrows.
class ViewTime : public CDialog {
public:
    ViewTime()
        : CDialog(
              {155,
               QStringLiteral("View Time"),
               QSize(120, 60),
               {
                   {ControlKind::edit, 1005, QString(), QRect(10, 10, 30, 14)},
                   {ControlKind::upDown, 1008, QString(), QRect(30, 10, 9, 14)},
                   {ControlKind::defPushButton, IDOK, QStringLiteral("&OK"), QRect(10, 35, 40, 14)},
               }}) {}

protected:
    bool OnInitDialog() override {
        auto* arrows = Item<UpDownControl>(1008);
        arrows->SetBuddy(Item<QLineEdit>(1005));
        arrows->SetRange(1, 99);
        return true;
    }
    void OnOK() override {
        const std::optional<int> seconds = ExchangeInt(1005);
        if (seconds && ValidateMinMax(1005, *seconds, 1, 99))
            CDialog::OnOK();
    }
};

struct ExchangeCase {
    const char* name;
    const char* typed;
    int result;
    const char* message; // empty: none
};

class IntegerExchange : public ::testing::TestWithParam<ExchangeCase> {
protected:
    TempEnvironment env;
    MessageRecorder messages;
};

TEST_P(IntegerExchange, RefusesWhatIsNoIntegerInRange) {
    const ExchangeCase& c = GetParam();
    ViewTime dialog;
    bool refocused = false;
    const DialogScript script([&](CDialog& shown) {
        auto* edit = shown.Item<QLineEdit>(1005);
        edit->setText(QString::fromLatin1(c.typed));
        shown.Item<QPushButton>(IDOK)->setFocus();
        QTest::keyClick(&shown, Qt::Key_Return);
        refocused = edit->hasFocus();
    });
    EXPECT_EQ(dialog.DoModal(), c.result);
    EXPECT_EQ(messages.Texts().join(QString()), QString::fromLatin1(c.message));
    EXPECT_EQ(refocused, c.result != IDOK);
}

INSTANTIATE_TEST_SUITE_P(
    Typed, IntegerExchange,
    ::testing::Values(
        ExchangeCase{"InRange", "5", IDOK, ""}, ExchangeCase{"Blanks", " 7 ", IDOK, ""},
        ExchangeCase{"Empty", "", IDCANCEL, "Please enter an integer."},
        ExchangeCase{"Letters", "x", IDCANCEL, "Please enter an integer."},
        ExchangeCase{"Trailing", "5x", IDCANCEL, "Please enter an integer."},
        ExchangeCase{"MinusZero", "-0", IDCANCEL, "Please enter an integer."},
        ExchangeCase{"Zero", "0", IDCANCEL, "Please enter an integer between 1 and 99."},
        ExchangeCase{"TooBig", "100", IDCANCEL, "Please enter an integer between 1 and 99."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UpDown, ArrowsAndKeysStepTheBuddyWithinTheRange) {
    TempEnvironment env;
    ViewTime dialog;
    QStringList seen;
    const DialogScript script([&](CDialog& shown) {
        auto* edit = shown.Item<QLineEdit>(1005);
        auto* up = shown.GetDlgItem(1008)->findChild<QToolButton*>(QStringLiteral("up"));
        auto* down = shown.GetDlgItem(1008)->findChild<QToolButton*>(QStringLiteral("down"));
        // The arrows sit at the right end of the box, inside its old place.
        EXPECT_LE(shown.GetDlgItem(1008)->geometry().right(),
                  MapDialogRect(shown.font(), QRect(10, 10, 30, 14)).right());
        edit->setText(QStringLiteral("98"));
        up->click();
        seen << edit->text();
        up->click();
        seen << edit->text();
        QTest::keyClick(edit, Qt::Key_Down);
        seen << edit->text();
        edit->setText(QStringLiteral("x"));
        down->click();
        seen << edit->text();
        edit->setText(QStringLiteral("1"));
        QTest::keyClick(edit, Qt::Key_Down);
        seen << edit->text();
    });
    dialog.DoModal();
    EXPECT_EQ(seen, (QStringList{"99", "99", "98", "99", "1"}));
}

} // namespace
