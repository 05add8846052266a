#include "IsoMaker.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace isomaker {
bool Available() {
    return !QStandardPaths::findExecutable(QStringLiteral("genisoimage")).isEmpty();
}

void WriteFiles(const QString& folder, const QList<QPair<QString, QByteArray>>& files) {
    for (const auto& [name, bytes] : files) {
        const QString path = folder + QLatin1Char('/') + name;
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }
}

bool MakeIso(const QString& folder, const QString& image, const QString& label,
             const QStringList& options) {
    QProcess process;
    process.start(QStringLiteral("genisoimage"),
                  QStringList{QStringLiteral("-quiet"), QStringLiteral("-V"), label} + options +
                      QStringList{QStringLiteral("-o"), image, folder});
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

QByteArray Pattern(int size, int seed) {
    QByteArray bytes(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7 + seed * 13 + (i >> 11)) & 0xFF);
    return bytes;
}
} // namespace isomaker
