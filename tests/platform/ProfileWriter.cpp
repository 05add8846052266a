// Writes entries "<prefix>1" ... "<prefix>N" into section "race" of the
// programs' profile, one write at a time, as a second program would.
#include "Profile.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Vanto Corp"));
    QCoreApplication::setApplicationName(QStringLiteral("Quelby"));
    if (argc != 3)
        return 2;
    const QString prefix = QString::fromLocal8Bit(argv[1]);
    const int count = QString::fromLocal8Bit(argv[2]).toInt();
    Profile profile = Profile::App();
    for (int i = 1; i <= count; ++i) {
        if (!profile.WriteInt(QStringLiteral("race"), prefix + QString::number(i), i)) {
            std::fprintf(stderr, "write %d failed\n", i);
            return 1;
        }
    }
    return 0;
}
