#include "IsoImage.h"

#include "VolumePath.h"

#include <QSet>
#include <array>
#include <cstring>

namespace {
using Cause = CFileException::Cause;
constexpr std::uint32_t kSector = SectorReader::kSectorSize;
constexpr std::uint32_t kFirstDescriptor = 16;
// A volume descriptor set is a handful of sectors; a longer run of them is damage.
constexpr std::uint32_t kMaxDescriptors = 64;
constexpr std::uint8_t kPrimary = 1;
constexpr std::uint8_t kTerminator = 255;
// A folder of the disc is some tens of kilobytes; a record claiming more is damage.
constexpr std::uint32_t kMaxDirectoryBytes = 4 * 1024 * 1024;
// ISO 9660 allows eight levels; a deeper chain means a damaged or looping image.
constexpr int kMaxDepth = 16;
// Kept listings and answers; past these the memory is cleared rather than grown.
constexpr qsizetype kMaxKeptDirectories = 256;
constexpr qsizetype kMaxKeptPaths = 4096;

// Offsets of a directory record.
constexpr std::size_t kRecordLength = 0;
constexpr std::size_t kAttributeLength = 1;
constexpr std::size_t kExtent = 2;
constexpr std::size_t kDataLength = 10;
constexpr std::size_t kFlags = 25;
constexpr std::size_t kNameLength = 32;
constexpr std::size_t kName = 33;
constexpr std::uint8_t kFlagDirectory = 0x02;
constexpr std::uint8_t kFlagAssociated = 0x04;

std::uint32_t Le32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
           std::uint32_t{p[3]} << 24;
}

// The directory record at the start of bytes, nullopt unless it is whole
// within them and names something other than the folder itself or its parent.
std::optional<IsoImage::Entry> ParseRecord(const std::uint8_t* record, std::size_t available) {
    const std::size_t length = record[kRecordLength];
    if (length < kName + 1 || length > available)
        return std::nullopt;
    const std::size_t nameLength = record[kNameLength];
    if (nameLength == 0 || kName + nameLength > length)
        return std::nullopt;
    const std::uint8_t flags = record[kFlags];
    if (flags & kFlagAssociated)
        return std::nullopt;
    const std::uint32_t extent = Le32(record + kExtent);
    const std::uint32_t data = extent + record[kAttributeLength]; // after an attribute record
    if (data < extent)
        return std::nullopt;
    return IsoImage::Entry{QString::fromLatin1(reinterpret_cast<const char*>(record + kName),
                                               static_cast<qsizetype>(nameLength)),
                           data, Le32(record + kDataLength), (flags & kFlagDirectory) != 0};
}

bool IsSelfOrParent(const IsoImage::Entry& entry) {
    return entry.name.size() == 1 && entry.name[0].unicode() <= 1;
}

// The volume identifier: up to its first NUL, trailing blanks dropped.
QString VolumeId(const std::uint8_t* field, std::size_t size) {
    std::size_t length = 0;
    while (length < size && field[length] != 0)
        ++length;
    while (length > 0 && field[length - 1] == ' ')
        --length;
    return QString::fromLatin1(reinterpret_cast<const char*>(field),
                               static_cast<qsizetype>(length));
}
} // namespace

std::shared_ptr<IsoImage> IsoImage::Mount(SectorReader sectors) {
    constexpr std::size_t kLogicalBlockSize = 128;
    constexpr std::size_t kVolumeId = 40;
    constexpr std::size_t kVolumeIdSize = 32;
    constexpr std::size_t kRootRecord = 156;
    constexpr std::size_t kRootRecordSize = 34;
    std::array<std::uint8_t, kSector> descriptor{};
    for (std::uint32_t i = 0; i < kMaxDescriptors; ++i) {
        const std::uint64_t offset = std::uint64_t{kFirstDescriptor + i} * kSector;
        if (sectors.Read(descriptor.data(), offset, kSector) != kSector ||
            std::memcmp(descriptor.data() + 1, "CD001", 5) != 0 || descriptor[0] == kTerminator)
            return nullptr;
        if (descriptor[0] != kPrimary)
            continue;
        const auto blockSize = static_cast<std::uint32_t>(descriptor[kLogicalBlockSize] |
                                                          descriptor[kLogicalBlockSize + 1] << 8);
        auto root = ParseRecord(descriptor.data() + kRootRecord, kRootRecordSize);
        if (blockSize != kSector || !root || !root->isDir)
            return nullptr;
        return std::shared_ptr<IsoImage>(
            new IsoImage(std::move(sectors), VolumeId(descriptor.data() + kVolumeId, kVolumeIdSize),
                         std::move(*root)));
    }
    return nullptr;
}

const IsoImage::Listing* IsoImage::Directory(const Entry& folder) {
    if (const auto found = m_directories.constFind(folder.lsn); found != m_directories.cend())
        return &*found;
    if (folder.size > kMaxDirectoryBytes)
        return nullptr;
    std::vector<std::uint8_t> bytes(folder.size);
    const auto got = static_cast<std::size_t>(Read(bytes.data(), folder.lsn, 0, folder.size));
    Listing listing;
    // Records never cross a sector's end; a zero length pads to the next
    // sector, and a damaged record ends what its sector can be trusted for.
    for (std::size_t at = 0; at < got;) {
        const std::size_t sectorEnd = std::min(got, (at / kSector + 1) * kSector);
        const auto entry = ParseRecord(bytes.data() + at, sectorEnd - at);
        const std::size_t length = bytes[at];
        if (length == 0 || length > sectorEnd - at || length <= kName) {
            at = sectorEnd;
            continue;
        }
        at += length;
        if (!entry || IsSelfOrParent(*entry))
            continue;
        // The first of two names that match alike wins, as in a directory walk.
        const QString key = volumepath::Key(entry->name);
        if (!listing.byKey.contains(key))
            listing.byKey.insert(key, listing.entries.size());
        listing.entries.push_back(*entry);
    }
    if (m_directories.size() >= kMaxKeptDirectories)
        m_directories.clear();
    return &*m_directories.insert(folder.lsn, std::move(listing));
}

std::optional<IsoImage::Entry> IsoImage::Find(const QStringList& components, Cause& cause) {
    Entry current = m_root;
    for (qsizetype i = 0; i < components.size(); ++i) {
        const bool last = i + 1 == components.size();
        const Listing* listing = current.isDir ? Directory(current) : nullptr;
        const auto found = listing ? listing->byKey.constFind(volumepath::Key(components[i]))
                                   : QHash<QString, std::size_t>::const_iterator();
        if (!listing || found == listing->byKey.cend()) {
            cause = last ? Cause::fileNotFound : Cause::badPath;
            return std::nullopt;
        }
        current = listing->entries[*found];
    }
    if (current.isDir) {
        // A folder cannot be opened as a file.
        cause = Cause::accessDenied;
        return std::nullopt;
    }
    return current;
}

std::optional<IsoImage::Entry> IsoImage::FindPath(const QString& relativePath, Cause& cause) {
    if (const auto known = m_paths.constFind(relativePath); known != m_paths.cend())
        return *known;
    const auto components = volumepath::Split(relativePath);
    cause = Cause::badPath;
    auto entry = components ? Find(*components, cause) : std::nullopt;
    if (entry) {
        if (m_paths.size() >= kMaxKeptPaths)
            m_paths.clear();
        m_paths.insert(relativePath, *entry);
    }
    return entry;
}

void IsoImage::Walk(const std::function<void(const QString&, const Entry&)>& visit) {
    QSet<std::uint32_t> seen;
    WalkFrom(m_root, QString(), 0, seen, visit);
}

void IsoImage::WalkFrom(const Entry& folder, const QString& path, int depth,
                        QSet<std::uint32_t>& seen,
                        const std::function<void(const QString&, const Entry&)>& visit) {
    if (depth > kMaxDepth || seen.contains(folder.lsn))
        return;
    seen.insert(folder.lsn);
    const Listing* listing = Directory(folder);
    if (!listing)
        return;
    const std::vector<Entry> entries = listing->entries; // the walk may clear the kept listings
    for (const Entry& entry : entries) {
        const QString entryPath = path + QLatin1Char('/') + entry.name;
        if (entry.isDir)
            WalkFrom(entry, entryPath, depth + 1, seen, visit);
        else
            visit(entryPath, entry);
    }
}

std::uint64_t IsoImage::Read(void* buffer, std::uint32_t lsn, std::uint64_t offset,
                             std::uint64_t count) const {
    return m_sectors.Read(buffer, std::uint64_t{lsn} * kSector + offset, count);
}
