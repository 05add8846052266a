#include "StandardOptions.h"

#include "ProgramVersion.h"

std::optional<QString> StandardAnswer(const QStringList& arguments, const QString& program,
                                      const QString& usage) {
    if (arguments.isEmpty())
        return std::nullopt;
    const QString& first = arguments.constFirst();
    if (first == QLatin1String("--help") || first == QLatin1String("-h"))
        return usage.endsWith(QLatin1Char('\n')) ? usage : usage + QLatin1Char('\n');
    if (first == QLatin1String("--version"))
        return program + QLatin1Char(' ') + QLatin1String(kProgramVersion) + QLatin1Char('\n');
    return std::nullopt;
}

QStringList CommandLineArguments(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}
