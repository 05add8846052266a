#pragma once

#include "Drives.h"
#include "File.h"

// A folder that holds a copy of a disc, as a drive's medium. Its label is the
// first line of the file ".windows-label" at its root (Wine's convention for
// folder drives), empty without one; it has no medium while the folder is missing.
class FolderVolume final : public Volume {
public:
    // A label given here replaces the one from ".windows-label".
    explicit FolderVolume(QString folder, std::optional<QString> label = std::nullopt);

    std::optional<QString> Label() const override;
    std::unique_ptr<FileSource> Open(const QString& relativePath, unsigned flags,
                                     CFileException& error) const override;

    // The host path of a path below the root, its components found regardless
    // of case; nullopt with the cause when a component is missing.
    std::optional<QString> Resolve(const QString& relativePath, CFileException::Cause& cause) const;
    const QString& Folder() const { return m_folder; }

    // The first of a folder's entry names that answers to wanted.
    static std::optional<QString> MatchEntry(const QStringList& names, const QString& wanted);
    // The label a label file's first bytes give: its first line, trailing blanks dropped.
    static QString LabelLine(const QByteArray& bytes);

private:
    QString m_folder;
    std::optional<QString> m_label;
};
