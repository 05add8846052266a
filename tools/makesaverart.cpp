// Draws the screen saver's bitmaps into a folder (the repository keeps them in
// resources/saver/bitmaps): makesaverart FOLDER
//   165.bmp 166.bmp 169.bmp 170.bmp  the built-in pictures, 350 x 400, RLE8
//   BANNERU.bmp                      the banner, 512 x 171, 24 bits
//   BBANNERU.bmp                     the banner, 510 x 170, 256 colours

#include "SaverArt.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

namespace {

bool Write(const QDir& folder, const QString& name, const QByteArray& bytes) {
    QFile file(folder.filePath(name));
    if (bytes.isEmpty() || !file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        QTextStream(stderr) << "makesaverart: cannot write " << file.fileName() << Qt::endl;
        return false;
    }
    QTextStream(stdout) << file.fileName() << Qt::endl;
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    // The drawings need fonts and a paint device only, never a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() != 2) {
        QTextStream(stderr) << "usage: makesaverart FOLDER" << Qt::endl;
        return 1;
    }
    const QDir folder(arguments.at(1));
    if (!folder.mkpath(QStringLiteral(".")))
        return 1;
    const int ids[kBuiltInPictureCount] = {165, 166, 169, 170};
    bool written = true;
    for (int index = 0; index < kBuiltInPictureCount; ++index)
        written &=
            Write(folder, QStringLiteral("%1.bmp").arg(ids[index]), BuiltInPictureFile(index));
    written &= Write(folder, QStringLiteral("BANNERU.bmp"), BannerFile(true));
    written &= Write(folder, QStringLiteral("BBANNERU.bmp"), BannerFile(false));
    return written ? 0 : 1;
}
