#include "CquelbyApp.h"
#include "ViewerIds.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // The profile's root and key, and the caption of message boxes.
    QApplication::setOrganizationName(QString::fromLatin1(ids::kRegistryKey));
    QApplication::setApplicationName(QString::fromLatin1(ids::kAppTitle));
    CquelbyApp app;
    app.InitInstance(QApplication::arguments().mid(1));
    const int status = QApplication::exec();
    app.ExitInstance();
    return status;
}
