#include "VolumePath.h"

namespace volumepath {
std::optional<QStringList> Split(const QString& relativePath) {
    QStringList components;
    qsizetype start = 0;
    for (qsizetype end = 0; end <= relativePath.size(); ++end) {
        if (end < relativePath.size() && relativePath[end] != QLatin1Char('\\') &&
            relativePath[end] != QLatin1Char('/'))
            continue;
        const QStringView part = QStringView(relativePath).mid(start, end - start);
        start = end + 1;
        if (part.isEmpty())
            continue;
        if (part == QLatin1String("."))
            continue;
        if (part == QLatin1String("..")) {
            if (!components.isEmpty())
                components.removeLast();
            continue;
        }
        components.append(part.toString());
    }
    if (components.isEmpty())
        return std::nullopt;
    return components;
}

QString Plain(const QString& name) {
    QString plain = name;
    const qsizetype semicolon = plain.lastIndexOf(QLatin1Char(';'));
    if (semicolon >= 0) {
        bool digits = semicolon + 1 < plain.size();
        for (qsizetype i = semicolon + 1; i < plain.size(); ++i)
            digits = digits && plain[i].isDigit();
        if (digits)
            plain.truncate(semicolon);
    }
    if (plain.size() > 1 && plain.endsWith(QLatin1Char('.')) &&
        !plain.endsWith(QLatin1String("..")))
        plain.chop(1);
    return plain;
}

QString Key(const QString& name) {
    return Plain(name).toCaseFolded();
}

bool SameName(const QString& stored, const QString& wanted) {
    return Key(stored) == Key(wanted);
}
} // namespace volumepath
