#include "CquelbyApp.h"

#include "CAboutDlg.h"
#include "CMainFrame.h"
#include "Catalogue.h"
#include "ClipboardCopy.h"
#include "CquelbyDoc.h"
#include "CquelbyView.h"
#include "Drives.h"
#include "FileDialogs.h"
#include "IdleInhibit.h"
#include "MainMenu.h"
#include "MainWindow.h"
#include "MessageBox.h"
#include "PrivateProfile.h"
#include "SlideShowCommand.h"
#include "ViewPrinting.h"
#include "ViewTitles.h"
#include "ViewerIds.h"
#include "ViewerSettings.h"
#include "Viewing.h"
#include "WallpaperCommand.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPrinter>
#include <QWhatsThis>
#include <cstdio>
#include <utility>

using namespace ids;

namespace {
// A disc named on the command line that is not the CD (a file manager opens
// any image with the viewer) is named as such before the search for the CD,
// which then asks for it as usual.
void SayIfNotTheCd(const QString& path) {
    const std::optional<QString> label = MakeAttachedVolume(path)->Label();
    if (label && *label == QLatin1String(kCdVolumeLabel))
        return;
    const QString name = QFileInfo(path).fileName();
    AfxMessageBox(
        label
            ? QStringLiteral("\"%1\" is not the Quelby CD: its label is \"%2\".").arg(name, *label)
            : QStringLiteral("\"%1\" is not the Quelby CD: it cannot be read as a "
                             "disc image.")
                  .arg(name),
        MB_ICONEXCLAMATION);
}

// The command line's discs: images of the CD or folders holding a copy of it.
// A name that is neither is reported and left out.
QStringList GivenDiscs(const QStringList& arguments) {
    QStringList discs;
    for (const QString& argument : arguments) {
        if (QFileInfo::exists(argument)) {
            SayIfNotTheCd(argument);
            discs.append(argument);
        } else {
            std::fprintf(stderr, "quelby: no disc image or folder \"%s\"\n",
                         argument.toLocal8Bit().constData());
        }
    }
    return discs;
}

// The window as the desktop portal names it; none where Qt does not draw on X.
QString PortalWindow(const QWidget& window) {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return {};
    return QStringLiteral("x11:%1").arg(window.winId(), 0, 16);
}
} // namespace

CquelbyApp::CquelbyApp() = default;

CquelbyApp::~CquelbyApp() {
    if (AfxGetMainWnd() == m_frame.data())
        AfxSetMainWnd(nullptr);
    delete m_frame.data();
}

bool CquelbyApp::InitInstance(const QStringList& arguments) {
    const bool diagnostic =
        !arguments.isEmpty() && viewtitles::IsDiagnosticSwitch(arguments.constFirst());
    if (diagnostic)
        privateprofile::WriteString(viewersettings::kTestSection, viewersettings::kDiagnostic,
                                    QStringLiteral("1"));
    DriveTable::SetGivenDiscs(GivenDiscs(arguments.mid(diagnostic ? 1 : 0)));
    OpenDocument();
    return true;
}

int CquelbyApp::ExitInstance() {
    return 0;
}

void CquelbyApp::OpenDocument() {
    // Document, frame, model, view: the CD is checked before anything shows.
    m_doc = std::make_unique<CquelbyDoc>();
    m_frame = new CMainFrame;
    m_viewing = std::make_unique<Viewing>(*m_doc);
    m_viewing->CheckCdAtStart();
    m_slideShow = std::make_unique<SlideShowCommand>(*m_viewing);
    m_view = new CquelbyView(*m_doc, *m_viewing, m_frame->Router(), m_frame);
    m_frame->setCentralWidget(m_view);
    AfxSetMainWnd(m_frame);
    QObject::connect(m_doc.get(), &CquelbyDoc::TitleChanged, m_frame.data(),
                     &CMainFrame::SetDocumentTitle);
    QObject::connect(m_frame.data(), &CMainFrame::Activated, m_view, &CquelbyView::OnActivateView);
    ConnectSlideShow();
    m_frame->SetExitWork([this] {
        // A close request during a slide show ends the show first.
        m_slideShow->End();
        m_viewing->ExitWork();
    });
    AddCommands();
    m_doc->OnNewDocument();
    m_view->OnInitialUpdate();
    m_frame->show();
    m_frame->Menu().Refresh();
}

void CquelbyApp::ConnectSlideShow() {
    CMainFrame* frame = m_frame.data();
    QObject::connect(m_viewing.get(), &Viewing::SlideShowStarted, frame, [frame](bool fullScreen) {
        if (fullScreen)
            frame->ShowMaximised();
    });
    QObject::connect(m_viewing.get(), &Viewing::SlideShowEnded, frame, [frame](bool wasFullScreen) {
        if (wasFullScreen)
            frame->ShowNormalSize();
    });
    // The screen stays on while a show runs, however it ends; a program that
    // ends abnormally leaves the bus, which ends the inhibition too.
    m_idleInhibit = std::make_unique<session::IdleInhibit>(
        QStringLiteral("quelby"), QStringLiteral("A slide show is running"));
    session::IdleInhibit* inhibit = m_idleInhibit.get();
    QObject::connect(m_viewing.get(), &Viewing::SlideShowStarted, inhibit,
                     [inhibit, frame] { inhibit->Hold(PortalWindow(*frame)); });
    QObject::connect(m_viewing.get(), &Viewing::SlideShowEnded, inhibit,
                     &session::IdleInhibit::Release);
    // A show goes on without it; said once, never in a box that would stop it.
    QObject::connect(
        inhibit, &session::IdleInhibit::Unavailable, [said = false](const QString& why) mutable {
            if (!std::exchange(said, true))
                std::fprintf(stderr, "quelby: the screen may blank during slide shows: %s\n",
                             why.toLocal8Bit().constData());
        });
}

void CquelbyApp::AddCommands() {
    CommandRouter& router = m_frame->Router();
    CMainFrame* frame = m_frame.data();
    router.Add(ID_APP_EXIT, [frame] { frame->close(); });
    router.Add(ID_HELP_INDEX, [frame] { frame->ShowHelp(false); });
    router.Add(ID_DEFAULT_HELP, [frame] { frame->ShowHelp(false); });
    router.Add(ID_HELP, [frame] { frame->ShowHelp(false); });
    router.Add(ID_HELP_USING, [frame] { frame->ShowHelp(true); });
    router.Add(ID_CONTEXT_HELP, [] { QWhatsThis::enterWhatsThisMode(); });
    router.Add(ID_APP_ABOUT, [this] { OnAppAbout(); });
    router.Add(ID_FILE_NEW, [this] { OnFileNew(); });
    router.Add(ID_FILE_OPEN, [this] { OnFileOpen(); });
    router.Add(ID_FILE_PRINT_SETUP, [this] { OnFilePrintSetup(); });
    router.Add(ID_FILE_SAVE, [this] { m_doc->DoFileSave(); });
    router.Add(ID_FILE_SAVE_AS, [this] { m_doc->DoSave(QString()); });
    // Printing, on the printer Print Setup chose.
    router.Add(ID_FILE_PRINT, [this] { viewprinting::Print(m_doc->Picture(), Printer()); });
    router.Add(ID_FILE_PRINT_PREVIEW,
               [this] { viewprinting::Preview(m_doc->Picture(), Printer()); });
    router.Add(ID_WALLPAPER, [this] { wallpapercommand::Run(*m_doc); });
    router.Add(
        ID_EDIT_COPY, [this] { clipboardcopy::Copy(*m_doc); },
        [this](CmdUI& ui) { ui.enabled = m_doc->HasPicture(); });
    AddViewingCommands();
}

void CquelbyApp::AddViewingCommands() {
    CommandRouter& router = m_frame->Router();
    Viewing& v = *m_viewing;
    router.Add(ID_FORWARD, [&v] { v.StepForward(); });
    router.Add(ID_BACK, [&v] { v.StepBack(); });
    router.Add(ID_BROWSE, [&v] { v.Browse(); });
    router.Add(ID_SLIDE_SHOW, [this] { m_slideShow->Run(); });
    router.Add(
        ID_BOOKMARK_ON_EXIT, [&v] { v.ToggleSaveOnExit(); },
        [&v](CmdUI& ui) { ui.checked = v.State().m_nSaveOnExit == 1; });
    router.Add(
        ID_ADD_FAVORITE, [&v] { v.AddFavourite(); },
        [&v](CmdUI& ui) { ui.enabled = v.CanAddFavourite(); });
    router.Add(
        ID_REMOVE_FAVORITE, [&v] { v.RemoveFavourite(); },
        [&v](CmdUI& ui) { ui.enabled = v.CanRemoveFavourite(); });
    router.Add(
        ID_SAVE_BOOKMARK, [&v] { v.SaveBookmark(); },
        [&v](CmdUI& ui) { ui.enabled = v.CanSaveBookmark(); });
    router.Add(
        ID_LOAD_BOOKMARK, [&v] { v.LoadBookmark(); },
        [&v](CmdUI& ui) { ui.enabled = v.CanLoadBookmark(); });
}

void CquelbyApp::OnAppAbout() {
    CAboutDlg dialog(m_frame.data());
    dialog.DoModal();
}

void CquelbyApp::OnFileNew() {
    // A new document shows the cover again.
    m_doc->OnNewDocument();
    m_doc->SetPathName(QString());
    m_viewing->ShowCover();
}

void CquelbyApp::OnFileOpen() {
    const std::optional<QString> path =
        FileDialogs::GetOpenFileName(QStringLiteral("Quelby Files (*.bmp)"));
    if (!path)
        return;
    m_viewing->ShowOpenedFile(m_doc->OnOpenDocument(*path));
}

QPrinter& CquelbyApp::Printer() {
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void CquelbyApp::OnFilePrintSetup() {
    viewprinting::PageSetup(Printer(), m_frame.data());
}
