#include "Wallpaper.h"

#include "WallpaperDbus.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>

namespace wallpaper {
namespace {

using detail::Attempt;
using Outcome = Result::Outcome;

struct Program {
    bool ok = false;
    QString output;
    QString problem;
};

// Runs a program found on PATH with its arguments as they stand: no shell
// ever sees the file's path.
Program Run(const QString& name, const QStringList& arguments, const Options& options) {
    const QString executable = QStandardPaths::findExecutable(name);
    if (executable.isEmpty())
        return {false, {}, QStringLiteral("%1 is not installed").arg(name)};
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(executable, arguments);
    if (!process.waitForStarted(options.programTimeoutMs))
        return {false, {}, QStringLiteral("%1 could not be started").arg(name)};
    if (!process.waitForFinished(options.programTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return {false, {}, QStringLiteral("%1 did not finish").arg(name)};
    }
    const QString output = QString::fromLocal8Bit(process.readAllStandardOutput());
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        const QString error = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
        return {false, output,
                error.isEmpty() ? QStringLiteral("%1 failed").arg(name)
                                : QStringLiteral("%1 failed: %2").arg(name, error)};
    }
    return {true, output, {}};
}

Attempt FromProgram(const Program& program) {
    return {program.ok ? Outcome::set : Outcome::failed, program.problem};
}

Attempt SetKeys(const QString& schema, const QStringList& keys, const QString& value,
                const Options& options) {
    for (const QString& key : keys) {
        const Program set =
            Run(QStringLiteral("gsettings"), {QStringLiteral("set"), schema, key, value}, options);
        if (!set.ok)
            return FromProgram(set);
    }
    return {Outcome::set, {}};
}

Attempt SetGnome(const QString& uri, const Options& options) {
    const QString schema = QStringLiteral("org.gnome.desktop.background");
    // The dark style's picture exists from GNOME 42 on; older desktops lack the key.
    const Program listed =
        Run(QStringLiteral("gsettings"), {QStringLiteral("list-keys"), schema}, options);
    if (!listed.ok)
        return FromProgram(listed);
    QStringList keys{QStringLiteral("picture-uri")};
    if (listed.output.split(QLatin1Char('\n')).contains(QStringLiteral("picture-uri-dark")))
        keys << QStringLiteral("picture-uri-dark");
    return SetKeys(schema, keys, uri, options);
}

Attempt SetXfce(const QString& path, const Options& options) {
    const QString channel = QStringLiteral("xfce4-desktop");
    const Program listed = Run(QStringLiteral("xfconf-query"),
                               {QStringLiteral("-c"), channel, QStringLiteral("-l")}, options);
    if (!listed.ok)
        return FromProgram(listed);
    static const QRegularExpression lastImage(
        QStringLiteral("^/backdrop/screen\\d+/monitor[^/]+/workspace\\d+/last-image$"));
    QStringList properties;
    for (const QString& line : listed.output.split(QLatin1Char('\n'))) {
        if (lastImage.match(line.trimmed()).hasMatch())
            properties << line.trimmed();
    }
    if (properties.isEmpty())
        return {Outcome::failed, QStringLiteral("Xfce names no monitor's backdrop yet")};
    for (const QString& property : properties) {
        const Program set = Run(QStringLiteral("xfconf-query"),
                                {QStringLiteral("-c"), channel, QStringLiteral("-p"), property,
                                 QStringLiteral("-s"), path},
                                options);
        if (!set.ok)
            return FromProgram(set);
    }
    return {Outcome::set, {}};
}

Attempt Try(Way way, const QString& path, const Options& options) {
    const QString uri = QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
    switch (way) {
    case Way::gnome:
        return SetGnome(uri, options);
    case Way::cinnamon:
        return SetKeys(QStringLiteral("org.cinnamon.desktop.background"),
                       {QStringLiteral("picture-uri")}, uri, options);
    case Way::mate:
        return SetKeys(QStringLiteral("org.mate.background"), {QStringLiteral("picture-filename")},
                       path, options);
    case Way::plasma:
        return detail::SetThroughPlasma(uri, options);
    case Way::xfce:
        return SetXfce(path, options);
    case Way::portal:
        return detail::SetThroughPortal(path, options);
    }
    return {Outcome::failed, {}};
}

} // namespace

Way WayFor(const QString& currentDesktop) {
    for (const QString& name : currentDesktop.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        const QString desktop = name.trimmed().toLower();
        if (desktop == QLatin1String("gnome") || desktop == QLatin1String("gnome-classic") ||
            desktop == QLatin1String("gnome-flashback") || desktop == QLatin1String("unity") ||
            desktop == QLatin1String("budgie") || desktop == QLatin1String("pantheon"))
            return Way::gnome;
        if (desktop == QLatin1String("x-cinnamon") || desktop == QLatin1String("cinnamon"))
            return Way::cinnamon;
        if (desktop == QLatin1String("mate"))
            return Way::mate;
        if (desktop == QLatin1String("kde"))
            return Way::plasma;
        if (desktop == QLatin1String("xfce"))
            return Way::xfce;
    }
    return Way::portal;
}

QString WayName(Way way) {
    switch (way) {
    case Way::gnome:
        return QStringLiteral("GNOME");
    case Way::cinnamon:
        return QStringLiteral("Cinnamon");
    case Way::mate:
        return QStringLiteral("MATE");
    case Way::plasma:
        return QStringLiteral("KDE Plasma");
    case Way::xfce:
        return QStringLiteral("Xfce");
    case Way::portal:
        return QStringLiteral("desktop portal");
    }
    return {};
}

Result SetDesktopWallpaper(const QString& path, const Options& options) {
    Result result;
    const Way way = WayFor(qEnvironmentVariable("XDG_CURRENT_DESKTOP"));
    result.tried << WayName(way);
    Attempt attempt = Try(way, path, options);
    if (attempt.outcome == Outcome::failed && way != Way::portal) {
        // The desktop's own way failed: its portal may still do it.
        const QString ownProblem = attempt.problem;
        result.tried << WayName(Way::portal);
        attempt = Try(Way::portal, path, options);
        if (attempt.outcome == Outcome::failed)
            attempt.problem = ownProblem + QStringLiteral("; ") + attempt.problem;
    }
    result.outcome = attempt.outcome;
    result.problem = attempt.problem;
    return result;
}

} // namespace wallpaper
