#include "FolderVolume.h"

#include "ByteSource.h"
#include "HostFile.h"
#include "VolumePath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
using Cause = CFileException::Cause;

// The entry of a folder that answers to a name. The likely spellings are tried
// directly before the folder is listed.
std::optional<QString> FindEntry(const QString& folder, const QString& name) {
    const QString plain = volumepath::Plain(name);
    for (const QString& guess : {name, plain.toUpper(), plain.toLower(), plain.toUpper() + ";1"}) {
        const QString path = folder + QLatin1Char('/') + guess;
        if (QFileInfo::exists(path))
            return path;
    }
    const QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden |
                                                       QDir::System | QDir::NoDotAndDotDot);
    const auto entry = FolderVolume::MatchEntry(entries, name);
    return entry ? std::optional(folder + QLatin1Char('/') + *entry) : std::nullopt;
}

// The label file's first line. Only its first kilobytes are read, and a FIFO
// or device in its place is no label file.
QString FirstLine(const QString& path) {
    constexpr std::uint64_t kLabelBytes = 4096;
    const auto file = HostBytes::Open(path);
    if (!file || file->IsDevice())
        return {};
    QByteArray bytes(kLabelBytes, Qt::Uninitialized);
    bytes.resize(static_cast<qsizetype>(file->ReadAt(0, bytes.data(), kLabelBytes)));
    return FolderVolume::LabelLine(bytes);
}
} // namespace

std::optional<QString> FolderVolume::MatchEntry(const QStringList& names, const QString& wanted) {
    const QString key = volumepath::Key(wanted);
    for (const QString& name : names) {
        if (volumepath::Key(name) == key)
            return name;
    }
    return std::nullopt;
}

QString FolderVolume::LabelLine(const QByteArray& bytes) {
    const qsizetype end = bytes.indexOf('\n');
    QString line = QString::fromUtf8(end < 0 ? bytes : bytes.left(end));
    while (!line.isEmpty() && line.back().isSpace())
        line.chop(1);
    return line;
}

FolderVolume::FolderVolume(QString folder, std::optional<QString> label)
    : m_folder(std::move(folder)), m_label(std::move(label)) {}

std::optional<QString> FolderVolume::Label() const {
    if (!QFileInfo(m_folder).isDir())
        return std::nullopt;
    if (m_label)
        return m_label;
    return FirstLine(m_folder + QStringLiteral("/.windows-label"));
}

std::optional<QString> FolderVolume::Resolve(const QString& relativePath, Cause& cause) const {
    const auto components = volumepath::Split(relativePath);
    if (!components) {
        cause = Cause::badPath;
        return std::nullopt;
    }
    QString path = m_folder;
    for (qsizetype i = 0; i < components->size(); ++i) {
        const bool last = i + 1 == components->size();
        auto entry = FindEntry(path, components->at(i));
        if (!entry || (!last && !QFileInfo(*entry).isDir())) {
            cause = last ? Cause::fileNotFound : Cause::badPath;
            return std::nullopt;
        }
        path = *entry;
    }
    return path;
}

std::unique_ptr<FileSource> FolderVolume::Open(const QString& relativePath, unsigned flags,
                                               CFileException& error) const {
    if (!QFileInfo(m_folder).isDir()) {
        error = CFileException(Cause::generic, relativePath);
        return nullptr;
    }
    if (flags & (CFile::modeWrite | CFile::modeReadWrite | CFile::modeCreate)) {
        error = CFileException(Cause::accessDenied, relativePath);
        return nullptr;
    }
    Cause cause = Cause::none;
    const auto path = Resolve(relativePath, cause);
    if (!path) {
        error = CFileException(cause, relativePath);
        return nullptr;
    }
    // A disc cannot be written, so its files need no share locks.
    HostAccess access;
    access.share = HostAccess::Share::denyNone;
    return HostFile::Open(*path, access, error);
}
