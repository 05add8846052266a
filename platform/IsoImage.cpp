#include "IsoImage.h"

#include "VolumePath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cdio/cdio.h>
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

namespace {
// The file a sheet's FILE line names, as found beside the sheet: the name as
// given, else the one file there whose name matches it regardless of case.
// A path from the ripping machine counts by its file name.
QString FindBeside(const QDir& folder, QString name) {
    if (folder.exists(name))
        return folder.absoluteFilePath(name);
    name = name.mid(
        std::max(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\'))) + 1);
    for (const QString& entry : folder.entryList(QDir::Files)) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return folder.absoluteFilePath(entry);
    }
    return {};
}

// A cue sheet as libcdio is given it: a copy in a scratch folder naming
// each file by its full path as found beside the sheet (a sheet written on a
// system that ignores case may name "QUELBY.BIN" for quelby.bin), and the
// first file linked under the copy's name with ".bin", where the library
// looks for it. The library reads the sheet while it opens the rip.
struct Sheet {
    CdIo_t* disc = nullptr;
    QString firstFile;   // empty when a file it names is not there
    bool cooked = false; // a data track of 2048-byte sectors: the file is an ISO image
};

Sheet OpenSheet(const QString& sheetPath) {
    Sheet opened;
    QFile sheet(sheetPath);
    if (!sheet.open(QIODevice::ReadOnly) || sheet.size() > 1024 * 1024)
        return opened;
    const QDir folder = QFileInfo(sheetPath).absoluteDir();
    QList<QByteArray> lines = sheet.readAll().split('\n');
    for (QByteArray& line : lines) {
        const QByteArray word = line.trimmed().toUpper();
        if (word.startsWith("TRACK ") && word.contains("/2048"))
            opened.cooked = true;
        if (!word.startsWith("FILE "))
            continue;
        // FILE "name" TYPE, or FILE name TYPE for a name without blanks.
        const QByteArray rest = line.trimmed().mid(5).trimmed();
        const qsizetype close = rest.lastIndexOf('"');
        const qsizetype end = rest.startsWith('"') ? close : rest.indexOf(' ');
        if (end <= 0)
            return {};
        const QByteArray name = rest.startsWith('"') ? rest.mid(1, end - 1) : rest.left(end);
        const QString found = FindBeside(folder, QFile::decodeName(name));
        if (found.isEmpty())
            return {};
        if (opened.firstFile.isEmpty())
            opened.firstFile = found;
        line = "FILE \"" + QFile::encodeName(found) + "\"" +
               rest.mid(end + (rest.startsWith('"') ? 1 : 0));
    }
    QTemporaryDir scratch;
    QFile copy(scratch.filePath(QStringLiteral("sheet.cue")));
    if (opened.firstFile.isEmpty() || !scratch.isValid() || !copy.open(QIODevice::WriteOnly) ||
        copy.write(lines.join('\n')) < 0 ||
        !QFile::link(opened.firstFile, scratch.filePath(QStringLiteral("sheet.bin"))))
        return {};
    copy.close();
    opened.disc = cdio_open_bincue(QFile::encodeName(copy.fileName()).constData());
    return opened;
}
} // namespace

std::shared_ptr<IsoImage> IsoImage::Open(const QString& imageOrDevice) {
    QuietCdio();
    const QString suffix = QFileInfo(imageOrDevice).suffix().toLower();
    if (suffix == QLatin1String("cue") || suffix == QLatin1String("nrg"))
        return OpenRip(imageOrDevice);
    auto image = OpenPlain(imageOrDevice);
    return !image && suffix == QLatin1String("bin") ? OpenRip(imageOrDevice) : image;
}

std::shared_ptr<IsoImage> IsoImage::OpenPlain(const QString& imageOrDevice) {
    const QByteArray path = QFile::encodeName(imageOrDevice);
    iso9660_t* iso = iso9660_open(path.constData());
    if (!iso)
        return nullptr;
    auto image = std::shared_ptr<IsoImage>(new IsoImage(iso, nullptr, imageOrDevice));
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

std::shared_ptr<IsoImage> IsoImage::OpenRip(const QString& path) {
    const QFileInfo file(path);
    if (file.suffix().compare(QLatin1String("nrg"), Qt::CaseInsensitive) == 0) {
        CdIo_t* disc = cdio_open_nrg(QFile::encodeName(path).constData());
        auto image = disc ? std::shared_ptr<IsoImage>(new IsoImage(nullptr, disc, path)) : nullptr;
        return image && image->Label() ? image : nullptr;
    }
    // A .bin alone is opened by the sheet of the same name beside it.
    const QString sheetPath =
        file.suffix().compare(QLatin1String("cue"), Qt::CaseInsensitive) == 0
            ? path
            : FindBeside(file.absoluteDir(), file.completeBaseName() + QStringLiteral(".cue"));
    if (sheetPath.isEmpty())
        return nullptr;
    const Sheet sheet = OpenSheet(sheetPath);
    if (sheet.disc) {
        auto image = std::shared_ptr<IsoImage>(new IsoImage(nullptr, sheet.disc, path));
        // A sheet of audio tracks only, or a .bin too short to hold the
        // volume descriptor, is no disc to read.
        if (image->Label())
            return image;
    }
    // The library does not read 2048-byte tracks; such a file is an ISO image.
    return sheet.cooked ? OpenPlain(sheet.firstFile) : nullptr;
}

IsoImage::~IsoImage() {
    if (m_fd >= 0)
        ::close(m_fd);
    if (m_iso)
        iso9660_close(m_iso);
    if (m_disc)
        cdio_destroy(m_disc);
}

std::optional<QString> IsoImage::Label() const {
    iso9660_pvd_t pvd;
    if (m_disc ? !iso9660_fs_read_pvd(m_disc, &pvd) : !iso9660_ifs_read_pvd(m_iso, &pvd))
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
    const QByteArray path = QFile::encodeName(storedPath);
    CdioList_t* list = m_disc ? iso9660_fs_readdir(m_disc, path.constData())
                              : iso9660_ifs_readdir(m_iso, path.constData());
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
    if (m_disc) {
        // The driver takes the user data out of raw sectors; a read past the
        // end of a truncated rip fails whole.
        const driver_return_code_t status =
            cdio_read_data_sectors(m_disc, buffer, static_cast<lsn_t>(lsn), ISO_BLOCKSIZE, blocks);
        return status == DRIVER_OP_SUCCESS ? std::uint64_t{blocks} * ISO_BLOCKSIZE : 0;
    }
    const long got = iso9660_iso_seek_read(m_iso, buffer, static_cast<lsn_t>(lsn), blocks);
    return got > 0 ? static_cast<std::uint64_t>(got) : 0;
}
