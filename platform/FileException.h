#pragma once

#include <QString>
#include <utility>

// A file error as the framework reports it: the cause, and the file it concerns.
class CFileException {
public:
    enum class Cause {
        none,
        generic,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile,
    };

    CFileException() = default;
    CFileException(Cause cause, QString fileName, int osError = 0)
        : m_cause(cause), m_strFileName(std::move(fileName)), m_lOsError(osError) {}

    Cause m_cause = Cause::none;
    QString m_strFileName;
    int m_lOsError = 0;
};
