#include "CquelbyApp.h"
#include "NoDisplayGuard.h"
#include "Profile.h"

#include <QApplication>
#include <optional>

int main(int argc, char** argv) {
    std::optional<NoDisplayGuard> guard(std::in_place,
                                        QStringLiteral("quelby: cannot open a window: there is no "
                                                       "display (set DISPLAY or WAYLAND_DISPLAY)"));
    QApplication application(argc, argv);
    guard.reset();
    Profile::NameApplication();
    CquelbyApp app;
    app.InitInstance(QApplication::arguments().mid(1));
    const int status = QApplication::exec();
    app.ExitInstance();
    return status;
}
