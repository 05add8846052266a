#include "Profile.h"
#include "SlideShowTestSupport.h"
#include "UpDownControl.h"

#include <QToolButton>

namespace {

using namespace ids;
using D = CSlideShowDlg;

QLineEdit* ViewTime(CDialog& d) {
    return d.Item<QLineEdit>(D::kViewTimeId);
}

// Dialog 155 refuses a view time that is not an integer from 1 to 99 with
// the framework's message and stays open; only what it accepts is stored.
struct EntryCase {
    const char* name;
    const char* typed;
    const char* message; // nullptr: accepted
};

class SlideShowEntry : public SlideShowRun, public ::testing::WithParamInterface<EntryCase> {};

TEST_P(SlideShowEntry, IsStoredOnlyWhenValid) {
    const EntryCase& c = GetParam();
    Profile::App().WriteInt(QStringLiteral("cdrom"), QStringLiteral("delay"), 7);
    Profile::App().WriteInt(QStringLiteral("cdrom"), QStringLiteral("check"), 0);
    Start();
    bool openAfterOk = false, textSelected = false;
    std::vector<DialogSequence::Step> dialogs{{D::kTemplateId, [&](CDialog& d) {
                                                   TypeViewTime(d, QString::fromLatin1(c.typed));
                                                   ClickCheckBox(d, D::kFullScreenId);
                                                   Press(d, IDOK);
                                                   openAfterOk = d.isVisible();
                                                   textSelected = ViewTime(d)->hasFocus() &&
                                                                  ViewTime(d)->selectedText() ==
                                                                      ViewTime(d)->text();
                                                   if (openAfterOk)
                                                       Press(d, IDCANCEL);
                                               }}};
    if (!c.message)
        dialogs.push_back(Cancel(CBrowseWizard::kTemplateId));
    RunShow(std::move(dialogs));
    const bool accepted = c.message == nullptr;
    EXPECT_EQ(messages.Texts(),
              accepted ? QStringList() : QStringList{QString::fromLatin1(c.message)});
    EXPECT_EQ(openAfterOk, !accepted);
    EXPECT_EQ(textSelected, !accepted);
    EXPECT_EQ(Profile::App().GetInt(QStringLiteral("cdrom"), QStringLiteral("delay"), -1),
              accepted ? QByteArray(c.typed).trimmed().toInt() : 7);
    EXPECT_EQ(Profile::App().GetInt(QStringLiteral("cdrom"), QStringLiteral("check"), -1),
              accepted ? 1 : 0);
    EXPECT_EQ(S().m_bSlideShow, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, SlideShowEntry,
    ::testing::Values(EntryCase{"Empty", "", "Please enter an integer."},
                      EntryCase{"Zero", "0", "Please enter an integer between 1 and 99."},
                      EntryCase{"One", "1", nullptr}, EntryCase{"NinetyNine", "99", nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

// A hand-edited view time beyond two digits shows whole, and OK refuses it
// as it refuses a typed one.
TEST_F(SlideShowRun, AStoredViewTimeOutOfRangeShowsAsStoredAndIsRefused) {
    Profile::App().WriteInt(QStringLiteral("cdrom"), QStringLiteral("delay"), 150);
    Start();
    QString shown;
    bool openAfterOk = false;
    RunShow({{D::kTemplateId, [&](CDialog& d) {
                  shown = ViewTime(d)->text();
                  Press(d, IDOK);
                  openAfterOk = d.isVisible();
                  Press(d, IDCANCEL);
              }}});
    EXPECT_EQ(shown, QStringLiteral("150"));
    EXPECT_TRUE(openAfterOk);
    EXPECT_EQ(messages.Texts(),
              QStringList{QStringLiteral("Please enter an integer between 1 and 99.")});
    EXPECT_EQ(Profile::App().GetInt(QStringLiteral("cdrom"), QStringLiteral("delay"), -1), 150);
}

TEST_F(SlideShowRun, TheDialogShowsTheStoredChoiceAndKeepsToTwoDigitsFromOneTo99) {
    Start();
    QStringList seen;
    const auto look = [&seen](CDialog& d) {
        const bool selected = ViewTime(d)->hasFocus() && ViewTime(d)->hasSelectedText() &&
                              ViewTime(d)->selectedText() == ViewTime(d)->text();
        seen << ViewTime(d)->text() + (selected ? QStringLiteral(" selected") : QString()) +
                    (d.IsDlgButtonChecked(D::kFullScreenId) ? QStringLiteral(" full") : QString());
    };
    {
        DialogSequence dialogs({{D::kTemplateId,
                                 [&](CDialog& d) {
                                     look(d);
                                     TypeViewTime(d, QStringLiteral("123"));
                                     seen << ViewTime(d)->text();
                                     auto* up = d.Item<UpDownControl>(D::kSpinId)
                                                    ->findChild<QToolButton*>(QStringLiteral("up"));
                                     TypeViewTime(d, QStringLiteral("98"));
                                     QTest::mouseClick(up, Qt::LeftButton);
                                     QTest::mouseClick(up, Qt::LeftButton);
                                     seen << ViewTime(d)->text();
                                     TypeViewTime(d, QStringLiteral("2"));
                                     QTest::keyClick(ViewTime(d), Qt::Key_Down);
                                     QTest::keyClick(ViewTime(d), Qt::Key_Down);
                                     seen << ViewTime(d)->text();
                                     TypeViewTime(d, QStringLiteral("12"));
                                     ClickCheckBox(d, D::kFullScreenId);
                                     QTest::keyClick(&d, Qt::Key_Return);
                                 }},
                                Cancel(CBrowseWizard::kTemplateId),
                                {D::kTemplateId, [&](CDialog& d) {
                                     look(d);
                                     Press(d, IDCANCEL);
                                 }}});
        app.Frame()->Router().Execute(ID_SLIDE_SHOW);
        app.Frame()->Router().Execute(ID_SLIDE_SHOW);
    }
    // A clean profile gives 5 seconds, not full screen; the next time the
    // dialog shows what OK stored.
    EXPECT_EQ(seen,
              (QStringList{QStringLiteral("5 selected"), QStringLiteral("12"), QStringLiteral("99"),
                           QStringLiteral("1"), QStringLiteral("12 selected full")}));
}

} // namespace
