#include "CSaveFile.h"

#include "FileSource.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {
using Cause = CFileException::Cause;

Cause CauseOf(QFileDevice::FileError error) {
    switch (error) {
    case QFileDevice::ResourceError: // no space left
        return Cause::diskFull;
    case QFileDevice::OpenError:
    case QFileDevice::PermissionsError:
    case QFileDevice::RenameError:
        return Cause::accessDenied;
    default:
        return Cause::generic;
    }
}
} // namespace

class SaveSource final : public FileSource {
public:
    explicit SaveSource(const QString& path) : m_file(path) {}

    bool Open() { return m_file.open(QIODevice::WriteOnly); }
    QFileDevice::FileError Error() const { return m_file.error(); }

    std::uint64_t Length() const override { return static_cast<std::uint64_t>(m_file.size()); }
    std::uint64_t Position() const override { return static_cast<std::uint64_t>(m_file.pos()); }
    void SetPosition(std::uint64_t position) override {
        if (!m_file.seek(static_cast<qint64>(position)))
            Raise();
    }
    std::uint32_t Read(void*, std::uint32_t) override {
        throw CFileException(Cause::accessDenied, {});
    }
    void Write(const void* buffer, std::uint32_t count) override {
        if (m_file.write(static_cast<const char*>(buffer), count) != qint64{count})
            Raise();
    }
    // Without a commit the written file is thrown away.
    void Close() override { m_file.cancelWriting(); }
    void Commit() {
        if (!m_file.commit())
            Raise();
    }

private:
    [[noreturn]] void Raise() const {
        const Cause cause = CauseOf(m_file.error());
        throw CFileException(cause == Cause::generic ? Cause::hardIO : cause, {});
    }

    QSaveFile m_file;
};

bool CSaveFile::Open(const QString& path, CFileException* error) {
    Abort();
    m_save = nullptr;
    auto source = std::make_unique<SaveSource>(path);
    if (path.isEmpty() || QFileInfo(path).isDir() || !source->Open()) {
        if (error) {
            // A file that exists but may not be replaced is refused here.
            const bool missingFolder = !QFileInfo(path).absoluteDir().exists();
            *error = CFileException(missingFolder ? Cause::badPath : Cause::accessDenied, path);
        }
        return false;
    }
    m_save = source.get();
    Attach(std::move(source), path);
    return true;
}

void CSaveFile::Commit() {
    if (!IsOpen() || !m_save)
        throw CFileException(Cause::generic, GetFilePath());
    try {
        m_save->Commit();
    } catch (CFileException& e) {
        e.m_strFileName = GetFilePath();
        m_save = nullptr;
        Abort();
        throw;
    }
    m_save = nullptr;
    Abort(); // the source is done; closing it discards nothing now
}
