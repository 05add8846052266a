#include "CDialog.h"
#include "DialogScript.h"
#include "TempEnvironment.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
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
