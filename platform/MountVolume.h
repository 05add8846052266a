#pragma once

#include "FolderVolume.h"

// An optical file system the system has mounted: the files come from the
// mount point, the label from the device or image behind it.
class MountVolume final : public Volume {
public:
    MountVolume(QString mountPoint, QString source);

    std::optional<QString> Label() const override;
    std::unique_ptr<FileSource> Open(const QString& relativePath, unsigned flags,
                                     CFileException& error) const override;
    // The file that holds the file system: a loop device's backing image, else the source.
    static QString BackingFile(const QString& source);

private:
    FolderVolume m_files;
    QString m_source;
};
