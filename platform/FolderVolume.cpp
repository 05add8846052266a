#include "FolderVolume.h"

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
    for (const QString& entry : entries) {
        if (volumepath::SameName(entry, name))
            return folder + QLatin1Char('/') + entry;
    }
    return std::nullopt;
}

QString FirstLine(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString line = QString::fromUtf8(file.readLine(4096));
    while (!line.isEmpty() && line.back().isSpace())
        line.chop(1);
    return line;
}
} // namespace

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
    return HostFile::Open(*path, CFile::modeRead | CFile::shareDenyNone, error);
}
