#include "CScreenSaverApp.h"
#include "NoDisplayGuard.h"
#include "Profile.h"
#include "SaverCommandLine.h"

#include <QApplication>
#include <optional>

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // A request the saver does not know ends it before it shows anything.
    const SaverCommand command = ParseSaverCommandLine(arguments, std::nullopt);
    if (command.mode == RunMode::none)
        return 0;
    // Window ids are the X server's.
    if (command.mode == RunMode::host && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    std::optional<NoDisplayGuard> guard(
        std::in_place, QStringLiteral("wendle: cannot open the saver window: there is no screen"));
    QApplication application(argc, argv);
    guard.reset();
    Profile::NameApplication();
    CScreenSaverApp app;
    if (!app.InitInstance(arguments))
        return app.ExitInstance();
    return QApplication::exec();
}
