#pragma once

#include "File.h"
#include "SectorReader.h"

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// One ISO 9660 volume, read by our own bounded reader: the label from the
// primary volume descriptor and the files found by walking its directories
// (their ISO 9660 names; Joliet, Rock Ridge and UDF additions are left
// aside). Every offset and length it reads from the disc is checked against
// what is there before it is used, so a damaged or hostile image is no disc or
// a file that cannot be found or read, never more. Directory listings are
// kept, since the image does not change while open.
//
// Besides plain images and devices it opens rips: a .cue sheet with the files
// it names (2048-byte, 2336-byte or raw 2352-byte sectors, Mode 1 or Mode 2),
// a Nero .nrg (either footer, disc-at-once or track-at-once), and a .bin by
// the sheet beside it or by its own raw sectors.
class IsoImage {
public:
    struct Entry {
        QString name; // as stored, e.g. "1T005HI1.BMP;1"
        std::uint32_t lsn = 0;
        std::uint32_t size = 0;
        bool isDir = false;
    };
    // A file that a cue sheet names, opened for reading; nullptr when it is not there.
    using FileOpener = std::function<std::shared_ptr<const ByteSource>(const QByteArray& name)>;

    // The volume of an image, rip or device at path; nullptr when it holds none.
    static std::shared_ptr<IsoImage> Open(const QString& imageOrDevice);
    // The volume on a track; nullptr when it has no primary volume descriptor.
    static std::shared_ptr<IsoImage> Mount(SectorReader sectors);
    // The volume of the first data track of a cue sheet that holds one.
    static std::shared_ptr<IsoImage> OpenSheet(const QByteArray& sheet, const FileOpener& open);
    // The volume of the first data track of a Nero image that holds one.
    static std::shared_ptr<IsoImage> OpenNero(const std::shared_ptr<const ByteSource>& bytes);
    IsoImage(const IsoImage&) = delete;
    IsoImage& operator=(const IsoImage&) = delete;

    // The volume identifier, trailing blanks dropped.
    const QString& Label() const { return m_label; }
    // The file at the components, matched regardless of case and version;
    // nullopt with fileNotFound or badPath, or accessDenied for a folder.
    std::optional<Entry> Find(const QStringList& components, CFileException::Cause& cause);
    // Find for a path below the root ("quelby\images\t1\NAME"); answers for a
    // path asked before come from memory.
    std::optional<Entry> FindPath(const QString& relativePath, CFileException::Cause& cause);
    // Every file of the image with its path ("/QUELBY/IMAGES/T1/1T005HI1.BMP;1").
    // Each folder is visited once, however often the directories name it.
    void Walk(const std::function<void(const QString& path, const Entry& entry)>& visit);
    // The bytes read from `offset` bytes into the extent at lsn; short at the
    // end of the image.
    std::uint64_t Read(void* buffer, std::uint32_t lsn, std::uint64_t offset,
                       std::uint64_t count) const;

private:
    IsoImage(SectorReader sectors, QString label, Entry root)
        : m_sectors(std::move(sectors)), m_label(std::move(label)), m_root(std::move(root)) {}
    // A directory's entries and an index by name as matched (VolumePath's key).
    struct Listing {
        std::vector<Entry> entries;
        QHash<QString, std::size_t> byKey;
    };
    const Listing* Directory(const Entry& folder);
    void WalkFrom(const Entry& folder, const QString& path, int depth, QSet<std::uint32_t>& seen,
                  const std::function<void(const QString&, const Entry&)>& visit);

    SectorReader m_sectors;
    QString m_label;
    Entry m_root;
    QHash<std::uint32_t, Listing> m_directories; // by the extent's first sector
    QHash<QString, Entry> m_paths;               // FindPath's answers
};
