#include "CquelbyApp.h"

#include "AppProfile.h"
#include "CAboutDlg.h"
#include "CMainFrame.h"
#include "CquelbyDoc.h"
#include "CquelbyView.h"
#include "Drives.h"
#include "FileDialogs.h"
#include "MainMenu.h"
#include "MainWindow.h"
#include "PrivateProfile.h"
#include "ViewPrinting.h"
#include "ViewTitles.h"
#include "ViewerIds.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPrinter>
#include <cstdio>

using namespace ids;

namespace {
// The command line's discs: images of the CD or folders holding a copy of it.
// A name that is neither is reported and left out.
QStringList GivenDiscs(const QStringList& arguments) {
    QStringList discs;
    for (const QString& argument : arguments) {
        if (QFileInfo::exists(argument))
            discs.append(argument);
        else
            std::fprintf(stderr, "quelby: no disc image or folder \"%s\"\n",
                         argument.toLocal8Bit().constData());
    }
    return discs;
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
        privateprofile::WriteString(QStringLiteral("quelby"), QStringLiteral("test"),
                                    QStringLiteral("1"));
    DriveTable::SetGivenDiscs(GivenDiscs(arguments.mid(diagnostic ? 1 : 0)));
    OpenDocument();
    return true;
}

int CquelbyApp::ExitInstance() {
    return 0;
}

void CquelbyApp::OpenDocument() {
    // Document, frame, view: the view checks for the CD before anything shows.
    m_doc = std::make_unique<CquelbyDoc>();
    m_frame = new CMainFrame;
    CquelbyView* view = CquelbyView::Create(*m_doc, m_frame->Router(), m_frame);
    m_frame->setCentralWidget(view);
    m_view = view;
    AfxSetMainWnd(m_frame);
    QObject::connect(m_doc.get(), &CquelbyDoc::TitleChanged, m_frame.data(),
                     &CMainFrame::SetDocumentTitle);
    QObject::connect(m_frame.data(), &CMainFrame::Activated, m_view, &CquelbyView::OnActivateView);
    m_frame->SetExitWork([view] { view->OnExitWork(); });
    AddCommands();
    m_doc->OnNewDocument();
    m_view->OnInitialUpdate();
    m_frame->show();
    m_frame->Menu().Refresh();
}

void CquelbyApp::AddCommands() {
    CommandRouter& router = m_frame->Router();
    router.Add(ID_APP_ABOUT, [this] { OnAppAbout(); });
    router.Add(ID_FILE_NEW, [this] { OnFileNew(); });
    router.Add(ID_FILE_OPEN, [this] { OnFileOpen(); });
    router.Add(ID_FILE_PRINT_SETUP, [this] { OnFilePrintSetup(); });
    router.Add(ID_FILE_SAVE, [this] { m_doc->DoFileSave(); });
    router.Add(ID_FILE_SAVE_AS, [this] { m_doc->DoSave(QString()); });
    // The view's printing, on the printer Print Setup chose.
    m_view->SetCommandHandler(ID_FILE_PRINT,
                              [this] { viewprinting::Print(m_doc->Picture(), Printer()); });
    m_view->SetCommandHandler(ID_FILE_PRINT_PREVIEW,
                              [this] { viewprinting::Preview(m_doc->Picture(), Printer()); });
}

void CquelbyApp::OnAppAbout() {
    CAboutDlg dialog(m_frame.data());
    dialog.DoModal();
}

void CquelbyApp::OnFileNew() {
    // A new document shows the cover again.
    m_doc->OnNewDocument();
    m_doc->SetPathName(QString());
    m_view->State().m_bCover = 1;
    m_view->Nav().StepForward();
}

void CquelbyApp::OnFileOpen() {
    const std::optional<QString> path =
        FileDialogs::GetOpenFileName(QStringLiteral("Quelby Files (*.bmp)"));
    if (!path)
        return;
    const bool opened = m_doc->OnOpenDocument(*path);
    m_view->Nav().SetShowingOpenedFile(opened);
    m_view->update();
}

QPrinter& CquelbyApp::Printer() {
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void CquelbyApp::OnFilePrintSetup() {
    viewprinting::PageSetup(Printer(), m_frame.data());
}
