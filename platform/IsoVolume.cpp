#include "IsoVolume.h"

#include "File.h"
#include "IsoFile.h"
#include "IsoImage.h"

#include <QFile>
#include <sys/stat.h>

IsoVolume::IsoVolume(QString imageOrDevice) : m_path(std::move(imageOrDevice)) {}

std::shared_ptr<IsoImage> IsoVolume::Image() const {
    struct stat st {};
    if (::stat(QFile::encodeName(m_path).constData(), &st) != 0) {
        m_image.reset();
        return nullptr;
    }
    if (!S_ISREG(st.st_mode)) {
        // A device may hold another disc at every call; anything else is refused by Open.
        m_image.reset();
        return IsoImage::Open(m_path);
    }
    // Nanoseconds since the epoch, compared as they are: no time zone is consulted.
    const qint64 time = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    const bool same = m_image && m_imageSize == st.st_size && m_imageTime == time &&
                      m_imageInode == static_cast<quint64>(st.st_ino);
    if (!same) {
        m_image = IsoImage::Open(m_path);
        m_imageSize = st.st_size;
        m_imageTime = time;
        m_imageInode = static_cast<quint64>(st.st_ino);
    }
    return m_image;
}

std::optional<QString> IsoVolume::Label() const {
    const auto image = Image();
    if (!image)
        return std::nullopt;
    return image->Label();
}

std::unique_ptr<FileSource> IsoVolume::Open(const QString& relativePath, unsigned flags,
                                            CFileException& error) const {
    using Cause = CFileException::Cause;
    // An image file found at the last search stays in use until the next one
    // (which makes a new table); a device is asked again each time.
    const auto image = m_image ? m_image : Image();
    if (!image) {
        error = CFileException(Cause::generic, relativePath);
        return nullptr;
    }
    if (flags & (CFile::modeWrite | CFile::modeReadWrite | CFile::modeCreate)) {
        error = CFileException(Cause::accessDenied, relativePath);
        return nullptr;
    }
    Cause cause = Cause::badPath;
    const auto entry = image->FindPath(relativePath, cause);
    if (!entry) {
        error = CFileException(cause, relativePath);
        return nullptr;
    }
    return std::make_unique<IsoFile>(image, *entry);
}
