#pragma once

#include "CBitmapButton.h"
#include "CBrowseWizard.h"
#include "CMainFrame.h"
#include "CSlideShowDlg.h"
#include "CquelbyApp.h"
#include "CquelbyView.h"
#include "PrivateProfile.h"
#include "ResourceBitmap.h"
#include "SlideShowCommand.h"
#include "TempEnvironment.h"
#include "TestDisc.h"
#include "ViewerIds.h"
#include "ViewerTestSupport.h"
#include "Viewing.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

// Replaces the view time as a person does: select it all and type.
inline void TypeViewTime(CDialog& d, const QString& text) {
    auto* edit = d.Item<QLineEdit>(CSlideShowDlg::kViewTimeId);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

inline void ClickCheckBox(CDialog& d, int id) {
    QTest::mouseClick(d.GetDlgItem(id), Qt::LeftButton, {}, QPoint(4, 4));
}

// Dialog 155 answered with a view time and the full-screen choice.
inline DialogSequence::Step ChooseShow(const QString& viewTime, bool fullScreen = false) {
    return {CSlideShowDlg::kTemplateId, [viewTime, fullScreen](CDialog& d) {
                TypeViewTime(d, viewTime);
                if (d.IsDlgButtonChecked(CSlideShowDlg::kFullScreenId) != fullScreen)
                    ClickCheckBox(d, CSlideShowDlg::kFullScreenId);
                Press(d, IDOK);
            }};
}
inline DialogSequence::Step InWizard(int button) {
    return {CBrowseWizard::kTemplateId, [button](CDialog& d) { Press(d, button); }};
}
inline DialogSequence::Step Cancel(int templateId) {
    return {templateId, [](CDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }};
}

// The viewer on a disc holding the first 40 cartoons, with the times of each
// forward step of the show and the names it showed.
class SlideShowRun : public ::testing::Test {
protected:
    SlideShowRun() : disc(env.Scratch() + QStringLiteral("/disc")) {
        for (int position = 1; position <= 40; ++position)
            disc.AddCartoon(CatalogueNameString(position));
        disc.Insert('D');
    }

    void Start(bool diagnostic = true) {
        if (diagnostic)
            privateprofile::WriteString(QStringLiteral("quelby"), QStringLiteral("test"),
                                        QStringLiteral("1"));
        app.InitInstance({});
        QObject::connect(&Command().Show(), &SlideShow::StepStarting,
                         [this] { starts.push_back(clock.elapsed()); });
        QObject::connect(&Command().Show(), &SlideShow::StepDone, [this] {
            dones.push_back(clock.elapsed());
            shown << S().m_strCurrentName;
        });
    }
    // The command returns once the show runs.
    void RunShow(std::vector<DialogSequence::Step> dialogs) {
        DialogSequence sequence(std::move(dialogs));
        clock.start();
        ASSERT_TRUE(app.Frame()->Router().Execute(ids::ID_SLIDE_SHOW));
    }
    bool WaitForSteps(std::size_t count) {
        return QTest::qWaitFor([&] { return dones.size() >= count; }, 20000);
    }
    void PressEscape() { QTest::keyClick(app.View(), Qt::Key_Escape); }

    SlideShowCommand& Command() { return app.SlideShows(); }
    const ViewState& S() { return app.Model().State(); }
    CBitmapButton& Back() { return *app.View()->BackButton(); }
    static QImage Bitmap(int id) { return LoadResourceBitmap(ids::BitmapResource(id)); }

    TempEnvironment env;
    ForcedScreen screen{800, 600, 24};
    TestDisc disc;
    MessageRecorder messages;
    CquelbyApp app;
    QElapsedTimer clock;
    std::vector<qint64> starts;
    std::vector<qint64> dones;
    QStringList shown;
};
