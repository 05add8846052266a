#include "File.h"

#include "Drives.h"
#include "FileSource.h"
#include "HostFile.h"

namespace {
// Every file on the disc is a picture of some kilobytes; one that claims more
// than 16 million 32-bit pixels is damaged, and reading it whole would hold
// the program for as long as it took and take as much memory.
constexpr std::uint64_t kLargestDiscFile = std::uint64_t{64} << 20;

bool IsDrivePath(const QString& path) {
    return path.size() >= 2 && path[1] == QLatin1Char(':') && path[0].isLetter() &&
           path[0].unicode() < 0x80;
}

// A path on one of the table's drives: the volume opens it.
std::unique_ptr<FileSource> OpenOnDrive(const QString& path, unsigned flags,
                                        CFileException& error) {
    const char letter = static_cast<char>(path[0].toUpper().unicode());
    const Drive* drive = DriveTable::Current().Find(letter);
    if (!drive) {
        error = CFileException(CFileException::Cause::badPath, path);
        return nullptr;
    }
    if (!drive->volume) {
        // An empty drive: the system says "not ready", which the framework reports as generic.
        error = CFileException(CFileException::Cause::generic, path);
        return nullptr;
    }
    auto source = drive->volume->Open(path.mid(2), flags, error);
    try {
        if (source && source->Length() > kLargestDiscFile) {
            source.reset();
            error = CFileException(CFileException::Cause::hardIO, path);
        }
    } catch (const CFileException& e) {
        source.reset();
        error = e;
    }
    if (!source)
        error.m_strFileName = path;
    return source;
}

// The open flags as the host file takes them; a share mode the flags do not
// name counts as compatibility mode.
HostAccess HostAccessOf(unsigned flags) {
    HostAccess access;
    access.write = (flags & (CFile::modeWrite | CFile::modeReadWrite)) != 0;
    access.read = !(flags & CFile::modeWrite) || (flags & CFile::modeReadWrite);
    access.create = (flags & CFile::modeCreate) != 0;
    access.truncate = access.create && !(flags & CFile::modeNoTruncate);
    switch (flags & 0x70) {
    case CFile::shareExclusive:
        access.share = HostAccess::Share::exclusive;
        break;
    case CFile::shareDenyWrite:
        access.share = HostAccess::Share::denyWrite;
        break;
    case CFile::shareDenyRead:
        access.share = HostAccess::Share::denyRead;
        break;
    case CFile::shareDenyNone:
        access.share = HostAccess::Share::denyNone;
        break;
    default:
        break;
    }
    return access;
}
} // namespace

CFile::CFile() = default;

CFile::CFile(const QString& path, unsigned flags) {
    CFileException error;
    if (!Open(path, flags, &error))
        throw error;
}

CFile::~CFile() {
    Abort();
}

bool CFile::Open(const QString& path, unsigned flags, CFileException* error) {
    Abort();
    CFileException failure;
    if (path.isEmpty())
        failure = CFileException(CFileException::Cause::badPath, path);
    else if (IsDrivePath(path))
        m_source = OpenOnDrive(path, flags, failure);
    else
        m_source = HostFile::Open(path, HostAccessOf(flags), failure);
    if (!m_source) {
        if (error)
            *error = failure;
        return false;
    }
    m_strFileName = path;
    return true;
}

void CFile::Attach(std::unique_ptr<FileSource> source, const QString& path) {
    Abort();
    m_source = std::move(source);
    m_strFileName = path;
}

bool CFile::IsOpen() const {
    return m_source != nullptr;
}

FileSource& CFile::Source() const {
    if (!m_source)
        throw CFileException(CFileException::Cause::generic, m_strFileName);
    return *m_source;
}

template <typename Operation> auto CFile::Guarded(Operation operation) const {
    try {
        return operation(Source());
    } catch (CFileException& e) {
        if (e.m_strFileName.isEmpty())
            e.m_strFileName = m_strFileName;
        throw;
    }
}

std::uint64_t CFile::GetLength() const {
    return Guarded([](FileSource& s) { return s.Length(); });
}

std::uint64_t CFile::GetPosition() const {
    return Guarded([](FileSource& s) { return s.Position(); });
}

std::uint64_t CFile::Seek(std::int64_t offset, SeekPosition from) {
    return Guarded([&](FileSource& s) {
        std::int64_t base = 0;
        if (from == current)
            base = static_cast<std::int64_t>(s.Position());
        else if (from == end)
            base = static_cast<std::int64_t>(s.Length());
        const std::int64_t target = base + offset;
        if (target < 0)
            throw CFileException(CFileException::Cause::badSeek, m_strFileName);
        s.SetPosition(static_cast<std::uint64_t>(target));
        return static_cast<std::uint64_t>(target);
    });
}

std::uint32_t CFile::Read(void* buffer, std::uint32_t count) {
    if (count == 0)
        return 0;
    return Guarded([&](FileSource& s) { return s.Read(buffer, count); });
}

void CFile::Write(const void* buffer, std::uint32_t count) {
    if (count == 0)
        return;
    Guarded([&](FileSource& s) { s.Write(buffer, count); });
}

void CFile::Close() {
    if (!m_source)
        return;
    std::unique_ptr<FileSource> source = std::move(m_source);
    try {
        source->Close();
    } catch (CFileException& e) {
        if (e.m_strFileName.isEmpty())
            e.m_strFileName = m_strFileName;
        throw;
    }
}

void CFile::Abort() {
    try {
        Close();
    } catch (const CFileException&) {
        // Abort discards errors by definition.
    }
}
