#pragma once

#include "File.h"

// A file written whole or not at all (QSaveFile): writes go to a new file
// beside the target, which takes the target's place only on Commit. Closed or
// destroyed without a Commit, or after any failure, it leaves the target as
// it was: an earlier file stays whole and none is made where there was none.
// Write-only; failures raise CFileException as a file on disc does.
class CSaveFile : public CFile {
public:
    CSaveFile() = default;
    // Reports failure by its result and the optional exception.
    bool Open(const QString& path, CFileException* error = nullptr);
    // Puts the written file in the target's place; raises CFileException
    // (the target as it was) when it cannot.
    void Commit();

private:
    class SaveSource* m_save = nullptr; // the attached source, while open
};
