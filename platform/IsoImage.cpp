#include "IsoImage.h"

#include "VolumePath.h"

#include <QFile>
#include <cdio/iso9660.h>
#include <cdio/logging.h>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

void QuietCdio() {
    // The library's warnings about unreadable media would reach standard error;
    // a missing or foreign medium is an ordinary answer here.
    cdio_loglevel_default = CDIO_LOG_ASSERT;
}

std::shared_ptr<IsoImage> IsoImage::Open(const QString& imageOrDevice) {
    QuietCdio();
    const QByteArray path = QFile::encodeName(imageOrDevice);
    iso9660_t* iso = iso9660_open(path.constData());
    if (!iso)
        return nullptr;
    auto image = std::shared_ptr<IsoImage>(new IsoImage(iso, imageOrDevice));
    // A plain image file of 2048-byte sectors: its files' extents are read
    // straight into the caller's buffer with one positioned read each.
    struct stat info {};
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0 && ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode))
        image->m_fd = fd;
    else if (fd >= 0)
        ::close(fd);
    return image;
}

IsoImage::~IsoImage() {
    if (m_fd >= 0)
        ::close(m_fd);
    iso9660_close(m_iso);
}

std::optional<QString> IsoImage::Label() const {
    iso9660_pvd_t pvd;
    if (!iso9660_ifs_read_pvd(m_iso, &pvd))
        return std::nullopt;
    char* id = iso9660_get_volume_id(&pvd);
    if (!id)
        return std::nullopt;
    QString label = QString::fromLatin1(id);
    std::free(id);
    while (!label.isEmpty() && label.back() == QLatin1Char(' '))
        label.chop(1);
    return label;
}

const IsoImage::Listing* IsoImage::Directory(const QString& storedPath) {
    if (auto found = m_directories.find(storedPath); found != m_directories.end())
        return &found->second;
    CdioList_t* list = iso9660_ifs_readdir(m_iso, QFile::encodeName(storedPath).constData());
    if (!list)
        return nullptr;
    Listing listing;
    for (CdioListNode_t* node = _cdio_list_begin(list); node; node = _cdio_list_node_next(node)) {
        const auto* stat = static_cast<const iso9660_stat_t*>(_cdio_list_node_data(node));
        const QString name = QString::fromLatin1(stat->filename);
        if (name == QLatin1String(".") || name == QLatin1String(".."))
            continue;
        // The first of two names that match alike wins, as in a directory walk.
        const QString key = volumepath::Key(name);
        if (!listing.byKey.contains(key))
            listing.byKey.insert(key, listing.entries.size());
        listing.entries.push_back({name, static_cast<std::uint32_t>(stat->lsn), stat->size,
                                   stat->type == iso9660_stat_s::_STAT_DIR});
    }
    iso9660_filelist_free(list);
    return &m_directories.emplace(storedPath, std::move(listing)).first->second;
}

std::optional<IsoImage::Entry> IsoImage::Find(const QStringList& components,
                                              CFileException::Cause& cause) {
    QString path = QStringLiteral("/");
    std::optional<Entry> current;
    for (qsizetype i = 0; i < components.size(); ++i) {
        const bool last = i + 1 == components.size();
        const Listing* listing = Directory(path);
        current.reset();
        if (listing) {
            const auto found = listing->byKey.constFind(volumepath::Key(components[i]));
            if (found != listing->byKey.cend())
                current = listing->entries[*found];
        }
        if (!current || (!last && !current->isDir)) {
            cause = last ? CFileException::Cause::fileNotFound : CFileException::Cause::badPath;
            return std::nullopt;
        }
        path += (i == 0 ? QString() : QStringLiteral("/")) + current->name;
    }
    if (current && current->isDir) {
        // A folder cannot be opened as a file.
        cause = CFileException::Cause::accessDenied;
        return std::nullopt;
    }
    return current;
}

void IsoImage::Walk(const std::function<void(const QString&, const Entry&)>& visit) {
    WalkFrom(QString(), 0, visit);
}

void IsoImage::WalkFrom(const QString& storedPath, int depth,
                        const std::function<void(const QString&, const Entry&)>& visit) {
    // ISO 9660 allows eight levels; a deeper chain means a damaged or looping image.
    constexpr int kMaxDepth = 16;
    const Listing* listing = Directory(storedPath.isEmpty() ? QStringLiteral("/") : storedPath);
    if (!listing || depth > kMaxDepth)
        return;
    const std::vector<Entry> copy = listing->entries; // the walk adds listings to the map
    for (const Entry& entry : copy) {
        const QString path = storedPath + QLatin1Char('/') + entry.name;
        if (entry.isDir)
            WalkFrom(path, depth + 1, visit);
        else
            visit(path, entry);
    }
}

std::optional<std::uint64_t> IsoImage::ReadBytes(void* buffer, std::uint32_t lsn,
                                                 std::uint64_t offset, std::uint64_t count) const {
    if (m_fd < 0)
        return std::nullopt;
    const std::uint64_t start = std::uint64_t{lsn} * ISO_BLOCKSIZE + offset;
    std::uint64_t done = 0;
    auto* out = static_cast<char*>(buffer);
    while (done < count) {
        const ssize_t got = ::pread(m_fd, out + done, count - done, off_t(start + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += static_cast<std::uint64_t>(got);
    }
    return done;
}

std::uint64_t IsoImage::ReadBlocks(void* buffer, std::uint32_t lsn, std::uint32_t blocks) const {
    if (const auto got = ReadBytes(buffer, lsn, 0, std::uint64_t{blocks} * ISO_BLOCKSIZE))
        return *got;
    const long got = iso9660_iso_seek_read(m_iso, buffer, static_cast<lsn_t>(lsn), blocks);
    return got > 0 ? static_cast<std::uint64_t>(got) : 0;
}
