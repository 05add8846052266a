#include "CquelbyApp.h"
#include "DesktopIdentity.h"
#include "NoDisplayGuard.h"
#include "Profile.h"
#include "StandardOptions.h"

#include <QApplication>
#include <cstdio>
#include <optional>

namespace {
constexpr char kUsage[] =
    "Usage: quelby [/d] [DISC...]\n"
    "Pages through the cartoons of the Quelby CD, found in the machine's CD drives,\n"
    "in the mounted discs, in the drives attached in the settings or QUELBY_DRIVES,\n"
    "or in the discs named here.\n"
    "\n"
    "  /d             as the first argument: the diagnostic mode, kept for later runs\n"
    "  DISC           an image of the CD (.iso, .cue with its .bin files, .bin, .nrg)\n"
    "                 or a folder holding a copy of the disc\n"
    "  -h, --help     print this text and exit\n"
    "  --version      print the version and exit\n"
    "\n"
    "Exit status: 0 when the viewer ends normally, 1 when it cannot open a window,\n"
    "3 when it ends abnormally, after \"Program Aborting!\".\n";
} // namespace

int main(int argc, char** argv) {
    const std::optional<QString> answer = StandardAnswer(
        CommandLineArguments(argc, argv), QStringLiteral("quelby"), QString::fromUtf8(kUsage));
    if (answer) {
        std::fputs(answer->toLocal8Bit().constData(), stdout);
        return 0;
    }
    std::optional<NoDisplayGuard> guard(std::in_place,
                                        QStringLiteral("quelby: cannot open a window: there is no "
                                                       "display (set DISPLAY or WAYLAND_DISPLAY)"));
    QApplication application(argc, argv);
    guard.reset();
    Profile::NameApplication();
    IdentifyToDesktop(QStringLiteral("com.vantocorp.quelby"),
                      QStringLiteral("com.vantocorp.quelby"));
    CquelbyApp app;
    app.InitInstance(QApplication::arguments().mid(1));
    const int status = QApplication::exec();
    app.ExitInstance();
    return status;
}
