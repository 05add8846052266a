#pragma once

#include "Drives.h"

#include <QtGlobal>

class IsoImage;

// An ISO 9660 image file, rip or optical drive's device as a drive's medium.
// The image is opened on demand: a missing image or an empty drive is a drive
// without a medium, and a disc changed in a device is seen at the next call.
// An image file is looked at again when its label is asked (every search for
// the disc); files are opened from it as it was then.
class IsoVolume final : public Volume {
public:
    explicit IsoVolume(QString imageOrDevice);

    std::optional<QString> Label() const override;
    std::unique_ptr<FileSource> Open(const QString& relativePath, unsigned flags,
                                     CFileException& error) const override;
    const QString& Path() const { return m_path; }

private:
    std::shared_ptr<IsoImage> Image() const;

    QString m_path;
    // An image file stays open while it is unchanged; a device is opened each time.
    mutable std::shared_ptr<IsoImage> m_image;
    mutable qint64 m_imageSize = -1;
    mutable qint64 m_imageTime = 0; // nanoseconds since the epoch
    mutable quint64 m_imageInode = 0;
};
