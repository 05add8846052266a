// Makes the demo CD image: makedemocd [--stage DIR] [--packer PROGRAM] [--jobs N]
// [--bincue mode1|mode2] OUTPUT.iso

#include "BinCue.h"
#include "DemoDisc.h"

#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QTextStream>
#include <optional>
#include <thread>

namespace {

int Fail(const QString& message) {
    QTextStream(stderr) << "makedemocd: " << message << Qt::endl;
    return 1;
}

struct Settings {
    QFileInfo image;
    QString root;
    QString packer;
    int jobs = 1;
    std::optional<SectorLayout> rip; // also a BIN/CUE of raw sectors beside the image
};

// The command line; nullopt after reporting what is wrong with it.
std::optional<Settings> ParseArguments(const QCoreApplication& app) {
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
    const QCommandLineOption bincue(
        QStringLiteral("bincue"),
        QStringLiteral("Also write the disc as a rip of raw sectors, OUTPUT.bin and OUTPUT.cue: "
                       "mode1 or mode2 (Mode 2 XA Form 1)."),
        QStringLiteral("mode"));
    parser.addOptions({stage, packer, jobs, bincue});
    parser.addPositionalArgument(QStringLiteral("image"), QStringLiteral("The .iso to make."));
    parser.process(app);
    if (parser.positionalArguments().size() != 1) {
        Fail(QStringLiteral("give exactly one output image"));
        return std::nullopt;
    }
    Settings settings;
    settings.image = QFileInfo(parser.positionalArguments().front());
    settings.root = parser.isSet(stage)
                        ? parser.value(stage)
                        : QDir(settings.image.absolutePath()).filePath(QStringLiteral("disc"));
    settings.packer = parser.value(packer);
    if (settings.packer.isEmpty())
        settings.packer = QStandardPaths::findExecutable(QStringLiteral("xorriso"));
    if (settings.packer.isEmpty()) {
        Fail(QStringLiteral("xorriso not found; give --packer"));
        return std::nullopt;
    }
    if (parser.isSet(bincue)) {
        const QString mode = parser.value(bincue);
        if (mode != QLatin1String("mode1") && mode != QLatin1String("mode2")) {
            Fail(QStringLiteral("--bincue takes mode1 or mode2"));
            return std::nullopt;
        }
        settings.rip =
            mode == QLatin1String("mode1") ? SectorLayout::mode1Raw : SectorLayout::mode2Raw;
    }
    bool ok = false;
    settings.jobs = parser.value(jobs).toInt(&ok);
    if (!ok || settings.jobs < 1)
        settings.jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    return settings;
}

} // namespace

int main(int argc, char* argv[]) {
    // The drawings need fonts and a paint device only, never a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const std::optional<Settings> settings = ParseArguments(app);
    if (!settings)
        return 1;
    if (!QDir().mkpath(settings->image.absolutePath()))
        return Fail(QStringLiteral("cannot make %1").arg(settings->image.absolutePath()));

    QElapsedTimer timer;
    timer.start();
    // Start from an empty folder so no file of an older run is packed.
    const QDir root(settings->root);
    if (root.exists() && !QDir(settings->root).removeRecursively())
        return Fail(QStringLiteral("cannot empty %1").arg(settings->root));
    QString error = WriteDiscTree(settings->root, settings->jobs);
    if (error.isEmpty())
        error = PackDiscImage(settings->root, settings->image.absoluteFilePath(), settings->packer);
    if (error.isEmpty() && settings->rip) {
        const QString base =
            settings->image.absolutePath() + QLatin1Char('/') + settings->image.completeBaseName();
        error = WriteBinCue(settings->image.absoluteFilePath(), base + QStringLiteral(".bin"),
                            base + QStringLiteral(".cue"), *settings->rip);
    }
    if (!error.isEmpty())
        return Fail(error);
    QTextStream(stdout) << "makedemocd: " << settings->image.absoluteFilePath() << " in "
                        << timer.elapsed() << " ms" << Qt::endl;
    return 0;
}
