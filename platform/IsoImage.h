#pragma once

#include "File.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

typedef struct _iso9660_s iso9660_t;
typedef struct _CdIo CdIo_t;

// Silences libcdio's messages on standard error.
void QuietCdio();

// One open ISO 9660 image or disc, read through libiso9660: the label from the
// primary volume descriptor and the files found by walking its directories.
// Directory listings are kept, since the image does not change while open.
// Besides plain images and devices it opens rips that libcdio reads: a .cue
// sheet with its .bin (2048-byte or raw 2352-byte sectors, Mode 1 or Mode 2
// XA) and a Nero .nrg; a .bin given alone is opened by the sheet beside it.
class IsoImage {
public:
    struct Entry {
        QString name; // as stored, e.g. "1T005HI1.BMP;1"
        std::uint32_t lsn = 0;
        std::uint32_t size = 0;
        bool isDir = false;
    };

    // nullptr when the path holds no readable ISO 9660 file system (no label).
    static std::shared_ptr<IsoImage> Open(const QString& imageOrDevice);
    ~IsoImage();
    IsoImage(const IsoImage&) = delete;
    IsoImage& operator=(const IsoImage&) = delete;

    // The volume identifier, trailing blanks dropped; nullopt when unreadable.
    std::optional<QString> Label() const;
    // The file at the components, matched regardless of case and version;
    // nullopt with fileNotFound or badPath.
    std::optional<Entry> Find(const QStringList& components, CFileException::Cause& cause);
    // Every file of the image with its path ("/QUELBY/IMAGES/T1/1T005HI1.BMP;1").
    void Walk(const std::function<void(const QString& path, const Entry& entry)>& visit);
    // Reads whole blocks from a sector; the bytes read, short at the end of the image.
    std::uint64_t ReadBlocks(void* buffer, std::uint32_t lsn, std::uint32_t blocks) const;
    // A plain image file reads any byte range at once: the bytes read from
    // `offset` bytes into the sector, short at the end of the image; nullopt
    // when the image is read in whole blocks only.
    std::optional<std::uint64_t> ReadBytes(void* buffer, std::uint32_t lsn, std::uint64_t offset,
                                           std::uint64_t count) const;
    const QString& Path() const { return m_path; }

private:
    IsoImage(iso9660_t* iso, CdIo_t* disc, QString path)
        : m_iso(iso), m_disc(disc), m_path(std::move(path)) {}
    static std::shared_ptr<IsoImage> OpenPlain(const QString& imageOrDevice);
    static std::shared_ptr<IsoImage> OpenRip(const QString& path);
    // A directory's entries and an index by name as matched (VolumePath's key).
    struct Listing {
        std::vector<Entry> entries;
        QHash<QString, std::size_t> byKey;
    };
    const Listing* Directory(const QString& storedPath);
    void WalkFrom(const QString& storedPath, int depth,
                  const std::function<void(const QString&, const Entry&)>& visit);

    iso9660_t* m_iso; // a plain image or a device
    CdIo_t* m_disc;   // or a rip, read through its libcdio driver
    QString m_path;
    int m_fd = -1; // a plain image file, read with positioned reads
    std::map<QString, Listing> m_directories;
};
