#include "CScreenSaverApp.h"

#include "CCategoryDlg.h"
#include "CFullScreenWnd.h"
#include "CSaverSetupDlg.h"
#include "Categories.h"
#include "FavouriteStore.h"
#include "IdleWatch.h"
#include "LockWatch.h"
#include "MainWindow.h"
#include "MessageBox.h"
#include "StartGate.h"
#include "TerminationSignals.h"
#include "XWindowHost.h"

#include <QCoreApplication>
#include <QTextStream>
#include <QWindow>

void StandardErrorReporter::AppMessage(const QString& text) {
    QTextStream(stderr) << QCoreApplication::applicationName() << ": " << text << Qt::endl;
}

void StandardErrorReporter::PlainMessage(const QString& text) {
    QTextStream(stderr) << text << Qt::endl;
}

CScreenSaverApp::CScreenSaverApp() = default;

CScreenSaverApp::~CScreenSaverApp() {
    if (m_pWnd && AfxGetMainWnd() == m_pWnd.data())
        AfxSetMainWnd(nullptr);
    delete m_pWnd.data();
}

bool CScreenSaverApp::InitInstance(const QStringList& arguments) {
    const std::optional<QString> hostWindow =
        qEnvironmentVariableIsSet("XSCREENSAVER_WINDOW")
            ? std::optional(qEnvironmentVariable("XSCREENSAVER_WINDOW"))
            : std::nullopt;
    const SaverCommand command = ParseSaverCommandLine(arguments, hostWindow);
    switch (command.mode) {
    case RunMode::configure:
        RunConfiguration();
        return false;
    case RunMode::save:
        return StartSaver();
    case RunMode::host:
        if (!command.error.isEmpty())
            return Fail(command.error);
        return StartInHost(command.host);
    case RunMode::idle:
        if (!command.error.isEmpty())
            return Fail(command.error);
        return StartIdle(command.idleMinutes);
    case RunMode::none:
        break;
    }
    return false;
}

void CScreenSaverApp::RunConfiguration() {
    Profile profile = Profile::App();
    // Said once for the whole configuration, after its last dialog.
    if (!Configure(profile))
        ReportUnsavedSettings(profile);
}

bool CScreenSaverApp::Configure(Profile& profile) {
    bool saved = true;
    for (;;) {
        m_held.treasury1 = 0;
        m_held.all = 0;
        m_nCatalogueSize = kCatalogueSize;
        CSaverSetupDlg setup;
        setup.m_nSaveLocation = ReadSaveOnExit(profile);
        setup.m_nViewTime = ReadDelay(profile);
        const int answer = setup.DoModal();
        saved = saved && setup.m_bSaved;
        if (answer != IDOK || setup.m_bChoiceMade == 0)
            return saved;
        switch (setup.m_nMode) {
        case CSaverSetupDlg::kModeAll:
            m_held.mode = ViewMode::all;
            m_held.all = 1;
            m_held.currentTreasury = 1;
            m_held.treasury1 = 1;
            m_held.imageCounter = 0;
            m_held.imageMax = m_nCatalogueSize;
            return WriteSettings(profile, ChoiceWrites(m_held)) && saved;
        case CSaverSetupDlg::kModeFavourites:
            m_held.mode = ViewMode::favourites;
            m_held.imageMax = FavouriteStore(profile).Total();
            m_held.imageCounter = 0;
            return WriteSettings(profile, ChoiceWrites(m_held)) && saved;
        case CSaverSetupDlg::kModeCategory: {
            CCategoryDlg category(CCategoryDlg::kSaverWidth);
            if (category.DoModal() == IDOK) {
                m_held.category = category.m_nCategory;
                SetCategoryCode(m_held.category, m_held.categoryShort);
                m_held.treasury1 = 1;
                m_held.currentTreasury = 1;
                m_held.imageCounter = 0;
                m_held.imageMax = m_nCatalogueSize;
                m_held.mode = ViewMode::category;
                return WriteSettings(profile, ChoiceWrites(m_held)) && saved;
            }
            // "< &Back": the configuration starts over, nothing stored.
            m_held.mode = ViewMode::all;
            continue;
        }
        default:
            return saved;
        }
    }
}

bool CScreenSaverApp::Fail(const QString& message) {
    QTextStream(stderr) << QCoreApplication::applicationName() << ": " << message << Qt::endl;
    m_nExitCode = 1;
    return false;
}

void CScreenSaverApp::EndOnTermination() {
    m_termination = std::make_unique<TerminationSignals>();
    QObject::connect(m_termination.get(), &TerminationSignals::Requested, [this](int) {
        // The idle mode waits no more: the end of its window, if one is
        // open, is the program's.
        const bool idleMode = m_idleWatch != nullptr;
        m_idleWatch.reset();
        m_startGate.reset();
        if (auto* full = qobject_cast<CFullScreenWnd*>(m_pWnd.data())) {
            full->SetEndsProgram(true);
            full->PostClose();
            return;
        }
        if (idleMode) {
            QCoreApplication::quit();
            return;
        }
        // A window inside a host's: its end is the program's.
        delete m_pWnd.data();
        QCoreApplication::quit();
    });
}

bool CScreenSaverApp::StartSaver() {
    // A turn's message ("ERROR" for a picture of negative size) goes to
    // standard error: a box could not be seen under the full-screen window,
    // and taking the focus from it would end the saver in the middle of a turn.
    auto* window = new CFullScreenWnd(m_standardError);
    m_pWnd = window;
    if (!window->Create()) {
        delete window;
        return Fail(QStringLiteral("cannot open the saver window: there is no screen"));
    }
    AfxSetMainWnd(window);
    EndOnTermination();
    return true;
}

bool CScreenSaverApp::StartInHost(const HostOptions& host) {
    if (!xhost::Available())
        return Fail(QStringLiteral("drawing into a window needs an X display"));
    const std::optional<std::uint32_t> id = host.window ? host.window : xhost::RootWindow();
    const std::optional<QSize> size = id ? xhost::WindowSize(*id) : std::nullopt;
    if (!size)
        return Fail(QStringLiteral("no window 0x%1 on the display").arg(id.value_or(0), 0, 16));
    QWindow* hostWindow = QWindow::fromWinId(*id);
    if (!hostWindow)
        return Fail(QStringLiteral("cannot draw into window 0x%1").arg(*id, 0, 16));
    auto* window = new CCartoonWnd(m_standardError);
    m_pWnd = window;
    if (host.delay)
        window->Cycle().SetDelay(*host.delay);
    if (!window->Create(Qt::Window | Qt::FramelessWindowHint, QRect(QPoint(0, 0), *size),
                        hostWindow)) {
        delete window;
        return Fail(QStringLiteral("cannot draw into window 0x%1").arg(*id, 0, 16));
    }
    AfxSetMainWnd(window);
    // The window follows the host's size; when the host's window goes, so
    // does the saver, after its exit save.
    m_hostWatcher = std::make_unique<XWindowWatcher>(*id);
    QObject::connect(m_hostWatcher.get(), &XWindowWatcher::Resized, window,
                     [window](QSize resized) { window->resize(resized); });
    QObject::connect(m_hostWatcher.get(), &XWindowWatcher::Destroyed, window, [this] {
        delete m_pWnd.data();
        QCoreApplication::quit();
    });
    EndOnTermination();
    return true;
}

bool CScreenSaverApp::StartIdle(std::optional<int> minutes) {
    m_idleWatch = MakeIdleWatch();
    if (!m_idleWatch)
        return Fail(QStringLiteral(
            "cannot tell when the session is idle: no GNOME idle monitor, no Wayland "
            "compositor's idle notifier (ext-idle-notify-v1), no X server with the screen-saver "
            "extension (outside Wayland), and no screen saver service with the session's idle "
            "time (org.freedesktop.ScreenSaver)"));
    // Idle starts the saver only where nothing holds it off.
    m_startGate = StartGate::ForSession();
    QObject::connect(m_idleWatch.get(), &IdleWatch::Idle, m_startGate.get(), &StartGate::Idle);
    QObject::connect(m_idleWatch.get(), &IdleWatch::Active, m_startGate.get(), &StartGate::Active);
    QObject::connect(m_startGate.get(), &StartGate::MayStart, [this] { ShowWhileIdle(); });
    m_idleTime = std::chrono::minutes(minutes.value_or(ReadIdleMinutes(Profile::App())));
    m_idleWatch->Watch(m_idleTime);
    GiveWayToTheLock();
    EndOnTermination();
    return true;
}

// The desktop's lock screen has the screen while the session is locked: the
// saver window closes as input closes it, none opens, and the idle time
// counts from the unlock.
void CScreenSaverApp::GiveWayToTheLock() {
    m_lockWatch = std::make_unique<LockWatch>();
    // A look for what holds the saver off, pending or due, is let go too:
    // after the unlock the user is back.
    QObject::connect(m_lockWatch.get(), &LockWatch::Locked, [this] {
        if (m_startGate)
            m_startGate->Active();
        if (auto* full = qobject_cast<CFullScreenWnd*>(m_pWnd.data()))
            full->PostClose();
    });
    QObject::connect(m_lockWatch.get(), &LockWatch::Unlocked, [this] {
        if (m_startGate)
            m_startGate->Active();
        if (m_idleWatch)
            m_idleWatch->Watch(m_idleTime);
    });
}

void CScreenSaverApp::ShowWhileIdle() {
    if (m_pWnd || (m_lockWatch && m_lockWatch->IsLocked()))
        return;
    // The same window as "s" shows; when it goes, the watch goes on.
    auto* window = new CFullScreenWnd(m_standardError);
    window->SetEndsProgram(false);
    m_pWnd = window;
    if (!window->Create()) {
        delete window;
        QTextStream(stderr) << QCoreApplication::applicationName()
                            << ": cannot open the saver window: there is no screen" << Qt::endl;
        return;
    }
    AfxSetMainWnd(window);
    QObject::connect(window, &QObject::destroyed, [window] {
        if (AfxGetMainWnd() == window)
            AfxSetMainWnd(nullptr);
    });
}
