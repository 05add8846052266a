#include "MountInfo.h"

#include <QFile>

namespace {
// mountinfo writes blank, tab, newline and backslash in paths as octal escapes ("\040").
QString Unescape(const QString& field) {
    QByteArray out;
    const QByteArray in = field.toUtf8();
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in[i] == '\\' && i + 3 < in.size()) {
            bool ok = false;
            const int code = in.mid(i + 1, 3).toInt(&ok, 8);
            if (ok && code < 256) {
                out.append(static_cast<char>(code));
                i += 3;
                continue;
            }
        }
        out.append(in[i]);
    }
    return QString::fromUtf8(out);
}
} // namespace

OpticalMount ParseMountInfoLine(const QString& line) {
    // id parent major:minor root mountpoint options [optional...] - fstype source superoptions
    const QStringList fields = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const qsizetype dash = fields.indexOf(QStringLiteral("-"), 6);
    if (fields.size() < 7 || dash < 0 || dash + 2 >= fields.size())
        return {};
    return {Unescape(fields[4]), Unescape(fields[dash + 2]), fields[dash + 1]};
}

std::vector<OpticalMount> ReadOpticalMounts(const QString& mountInfoPath) {
    std::vector<OpticalMount> mounts;
    QFile file(mountInfoPath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return mounts;
    // /proc files report no size; readAll reads until the end regardless.
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        OpticalMount mount = ParseMountInfoLine(line.trimmed());
        if (mount.fsType == QLatin1String("iso9660") || mount.fsType == QLatin1String("udf"))
            mounts.push_back(std::move(mount));
    }
    return mounts;
}
