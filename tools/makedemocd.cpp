// Makes the demo CD image: makedemocd [--stage DIR] [--packer PROGRAM] [--jobs N] OUTPUT.iso

#include "DemoDisc.h"

#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QTextStream>
#include <thread>

namespace {

int Fail(const QString& message) {
    QTextStream(stderr) << "makedemocd: " << message << Qt::endl;
    return 1;
}

} // namespace

int main(int argc, char* argv[]) {
    // The drawings need fonts and a paint device only, never a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Makes the Quelby demo CD image."));
    parser.addHelpOption();
    const QCommandLineOption stage(QStringLiteral("stage"),
                                   QStringLiteral("Folder for the disc's files (default: "
                                                  "\"disc\" beside the image)."),
                                   QStringLiteral("dir"));
    const QCommandLineOption packer(QStringLiteral("packer"),
                                    QStringLiteral("xorriso (default) or genisoimage."),
                                    QStringLiteral("program"));
    const QCommandLineOption jobs(QStringLiteral("jobs"), QStringLiteral("Drawing threads."),
                                  QStringLiteral("n"));
    parser.addOptions({stage, packer, jobs});
    parser.addPositionalArgument(QStringLiteral("image"), QStringLiteral("The .iso to make."));
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
        return Fail(QStringLiteral("give exactly one output image"));

    const QFileInfo image(parser.positionalArguments().front());
    if (!QDir().mkpath(image.absolutePath()))
        return Fail(QStringLiteral("cannot make %1").arg(image.absolutePath()));
    const QString root =
        parser.isSet(stage) ? parser.value(stage) : QDir(image.absolutePath()).filePath("disc");
    QString program = parser.value(packer);
    if (program.isEmpty())
        program = QStandardPaths::findExecutable(QStringLiteral("xorriso"));
    if (program.isEmpty())
        return Fail(QStringLiteral("xorriso not found; give --packer"));
    bool ok = false;
    int threads = parser.value(jobs).toInt(&ok);
    if (!ok || threads < 1)
        threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));

    QElapsedTimer timer;
    timer.start();
    // Start from an empty folder so no file of an older run is packed.
    if (QDir(root).exists() && !QDir(root).removeRecursively())
        return Fail(QStringLiteral("cannot empty %1").arg(root));
    QString error = WriteDiscTree(root, threads);
    if (error.isEmpty())
        error = PackDiscImage(root, image.absoluteFilePath(), program);
    if (!error.isEmpty())
        return Fail(error);
    QTextStream(stdout) << "makedemocd: " << image.absoluteFilePath() << " in " << timer.elapsed()
                        << " ms" << Qt::endl;
    return 0;
}
