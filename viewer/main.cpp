#include "CquelbyApp.h"
#include "NoDisplayGuard.h"
#include "ViewerIds.h"

#include <QApplication>
#include <optional>

int main(int argc, char** argv) {
    std::optional<NoDisplayGuard> guard(std::in_place,
                                        QStringLiteral("quelby: cannot open a window: there is no "
                                                       "display (set DISPLAY or WAYLAND_DISPLAY)"));
    QApplication application(argc, argv);
    guard.reset();
    // The profile's root and key, and the caption of message boxes.
    QApplication::setOrganizationName(QString::fromLatin1(ids::kRegistryKey));
    QApplication::setApplicationName(QString::fromLatin1(ids::kAppTitle));
    CquelbyApp app;
    app.InitInstance(QApplication::arguments().mid(1));
    const int status = QApplication::exec();
    app.ExitInstance();
    return status;
}
