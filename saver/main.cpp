#include "CScreenSaverApp.h"
#include "DesktopIdentity.h"
#include "NoDisplayGuard.h"
#include "Profile.h"
#include "SaverCommandLine.h"
#include "StandardOptions.h"

#include <QApplication>
#include <cstdio>
#include <optional>

namespace {
constexpr char kUsage[] =
    "Usage: wendle [c | s]\n"
    "       wendle -root | -window-id ID [-delay SECONDS]\n"
    "       wendle --idle [MINUTES]\n"
    "Shows the cartoons of the Quelby CD full screen.\n"
    "\n"
    "  c, or nothing     the configuration: what to show and for how long\n"
    "  s                 the screen saver, until a key, a click or a mouse move\n"
    "  -root             as an xscreensaver display mode: draws into the window\n"
    "                    XSCREENSAVER_WINDOW names, else the root window\n"
    "  -window-id ID     draws into the X window ID (decimal, or hexadecimal after 0x)\n"
    "  -delay SECONDS    with -root or -window-id: the time each cartoon shows, 1 to 99\n"
    "  --idle [MINUTES]  waits until the session has been idle MINUTES (1 to 120;\n"
    "                    else idleMinutes in [ScreenSaver], 10 if unset), shows the\n"
    "                    saver as s does, and waits again when it ends, until ended\n"
    "                    with SIGTERM, SIGINT or SIGHUP; not a screen locker\n"
    "  -h, --help        print this text and exit\n"
    "  --version         print the version and exit\n"
    "\n"
    "Only the first argument counts for c and s, with one leading / or - dropped\n"
    "and case ignored; any other first argument (such as /p) ends the program at\n"
    "once. The options of -root and -window-id may also have two hyphens.\n"
    "\n"
    "Exit status: 0 when the saver ends normally, 1 when it cannot open its window\n"
    "or the window it is given, refuses the options of -root, -window-id or --idle,\n"
    "or, with --idle, finds no way to tell when the session is idle.\n";
} // namespace

int main(int argc, char** argv) {
    const QStringList arguments = CommandLineArguments(argc, argv);
    const std::optional<QString> answer =
        StandardAnswer(arguments, QStringLiteral("wendle"), QString::fromUtf8(kUsage));
    if (answer) {
        std::fputs(answer->toLocal8Bit().constData(), stdout);
        return 0;
    }
    // A request the saver does not know ends it before it shows anything.
    const SaverCommand command = ParseSaverCommandLine(arguments, std::nullopt);
    if (command.mode == RunMode::none)
        return 0;
    if (command.mode == RunMode::idle && !command.error.isEmpty()) {
        std::fprintf(stderr, "wendle: %s\n%s", command.error.toLocal8Bit().constData(), kUsage);
        return 1;
    }
    // Window ids are the X server's.
    if (command.mode == RunMode::host && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    std::optional<NoDisplayGuard> guard(
        std::in_place, QStringLiteral("wendle: cannot open the saver window: there is no screen"));
    QApplication application(argc, argv);
    guard.reset();
    Profile::NameApplication();
    IdentifyToDesktop(QStringLiteral("com.vantocorp.quelby.wendle"),
                      QStringLiteral("com.vantocorp.quelby"));
    CScreenSaverApp app;
    if (!app.InitInstance(arguments))
        return app.ExitInstance();
    return QApplication::exec();
}
