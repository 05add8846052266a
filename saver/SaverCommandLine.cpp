#include "SaverCommandLine.h"

#include "SaverSettings.h"
#include "WindowId.h"

#include <algorithm>

namespace {

bool IsOption(const QString& argument, const char* name) {
    const QString single = QLatin1Char('-') + QLatin1String(name);
    return argument == single || argument == QLatin1Char('-') + single;
}

bool IsHostTarget(const QString& argument) {
    return IsOption(argument, "root") || IsOption(argument, "window-id");
}

// A whole decimal number, an optional sign allowed; none otherwise.
std::optional<int> ParseWhole(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok || text.trimmed() != text)
        return std::nullopt;
    return value;
}

SaverCommand Refused(const QString& error, RunMode mode = RunMode::host) {
    SaverCommand command;
    command.mode = mode;
    command.error = error;
    return command;
}

SaverCommand ParseHost(const QStringList& arguments,
                       const std::optional<QString>& xscreensaverWindow) {
    SaverCommand command;
    command.mode = RunMode::host;
    bool root = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (IsOption(argument, "root")) {
            root = true;
            continue;
        }
        const bool takesValue = IsOption(argument, "window-id") || IsOption(argument, "delay");
        if (!takesValue)
            return Refused(QStringLiteral("unrecognised option: %1").arg(argument));
        if (i + 1 == arguments.size())
            return Refused(QStringLiteral("%1 needs a value").arg(argument));
        const QString& value = arguments.at(++i);
        if (IsOption(argument, "delay")) {
            const std::optional<int> seconds = ParseWhole(value);
            if (!seconds)
                return Refused(
                    QStringLiteral("%1 takes whole seconds, not %2").arg(argument, value));
            command.host.delay = std::clamp(*seconds, kMinDelay, kMaxDelay);
            continue;
        }
        command.host.window = xhost::ParseWindowId(value);
        if (!command.host.window)
            return Refused(QStringLiteral("not a window id: %1").arg(value));
    }
    // -window-id names the window itself; -root takes the one the host put
    // in the environment, if any.
    if (!command.host.window && root && xscreensaverWindow) {
        command.host.window = xhost::ParseWindowId(*xscreensaverWindow);
        if (!command.host.window)
            return Refused(QStringLiteral("XSCREENSAVER_WINDOW is not a window id: %1")
                               .arg(*xscreensaverWindow));
    }
    return command;
}

// "--idle [MINUTES]": nothing else may follow.
SaverCommand ParseIdle(const QStringList& arguments) {
    SaverCommand command;
    command.mode = RunMode::idle;
    if (arguments.size() > 2)
        return Refused(QStringLiteral("unrecognised argument: %1").arg(arguments.at(2)),
                       RunMode::idle);
    if (arguments.size() == 2) {
        const std::optional<int> minutes = ParseWhole(arguments.at(1));
        if (!minutes || *minutes < kMinIdleMinutes || *minutes > kMaxIdleMinutes)
            return Refused(QStringLiteral("%1 takes whole minutes from %2 to %3, not %4")
                               .arg(arguments.at(0))
                               .arg(kMinIdleMinutes)
                               .arg(kMaxIdleMinutes)
                               .arg(arguments.at(1)),
                           RunMode::idle);
        command.idleMinutes = minutes;
    }
    return command;
}

} // namespace

RunMode FirstArgumentMode(const QStringList& arguments) {
    if (arguments.isEmpty())
        return RunMode::configure;
    QString first = arguments.constFirst();
    if (first.startsWith(QLatin1Char('/')) || first.startsWith(QLatin1Char('-')))
        first.remove(0, 1);
    if (first.compare(QLatin1String("c"), Qt::CaseInsensitive) == 0)
        return RunMode::configure;
    if (first.compare(QLatin1String("s"), Qt::CaseInsensitive) == 0)
        return RunMode::save;
    return RunMode::none;
}

SaverCommand ParseSaverCommandLine(const QStringList& arguments,
                                   const std::optional<QString>& xscreensaverWindow) {
    if (!arguments.isEmpty() && IsOption(arguments.constFirst(), "idle"))
        return ParseIdle(arguments);
    SaverCommand command;
    command.mode = FirstArgumentMode(arguments);
    if (command.mode == RunMode::none &&
        std::any_of(arguments.begin(), arguments.end(), IsHostTarget))
        return ParseHost(arguments, xscreensaverWindow);
    return command;
}
