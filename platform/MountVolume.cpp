#include "MountVolume.h"

#include "IsoImage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
// udev writes unsafe characters of a label as "\xNN".
QString UnescapeUdev(const QString& name) {
    QByteArray out;
    const QByteArray in = name.toUtf8();
    for (qsizetype i = 0; i < in.size(); ++i) {
        bool ok = false;
        if (in[i] == '\\' && i + 3 < in.size() && in[i + 1] == 'x') {
            const int code = in.mid(i + 2, 2).toInt(&ok, 16);
            if (ok) {
                out.append(static_cast<char>(code));
                i += 3;
                continue;
            }
        }
        out.append(in[i]);
    }
    return QString::fromUtf8(out);
}

// The label udev found for a device, for devices we may not read ourselves.
std::optional<QString> LabelFromUdev(const QString& device) {
    const QString target = QFileInfo(device).canonicalFilePath();
    if (target.isEmpty())
        return std::nullopt;
    const QDir byLabel(QStringLiteral("/dev/disk/by-label"));
    for (const QFileInfo& link : byLabel.entryInfoList(QDir::System | QDir::Files)) {
        if (link.canonicalFilePath() == target)
            return UnescapeUdev(link.fileName());
    }
    return std::nullopt;
}
} // namespace

MountVolume::MountVolume(QString mountPoint, QString source)
    : m_files(std::move(mountPoint)), m_source(std::move(source)) {}

QString MountVolume::BackingFile(const QString& source) {
    const QString name = QFileInfo(source).fileName();
    if (source.startsWith(QLatin1String("/dev/loop"))) {
        QFile backing(QStringLiteral("/sys/block/%1/loop/backing_file").arg(name));
        if (backing.open(QIODevice::ReadOnly))
            return QString::fromUtf8(backing.readAll()).trimmed();
    }
    return source;
}

std::optional<QString> MountVolume::Label() const {
    if (!QFileInfo(m_files.Folder()).isDir())
        return std::nullopt;
    if (const auto image = IsoImage::Open(BackingFile(m_source)))
        return image->Label();
    // Mounted means a medium is there, even when its label cannot be read.
    return LabelFromUdev(m_source).value_or(QString());
}

std::unique_ptr<FileSource> MountVolume::Open(const QString& relativePath, unsigned flags,
                                              CFileException& error) const {
    return m_files.Open(relativePath, flags, error);
}
