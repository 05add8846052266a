#pragma once

#include "QtPrinters.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// Points XDG_CONFIG_HOME and XDG_DATA_HOME at fresh temporary folders for the
// lifetime of the object, so a test's profile and "test.ini" start empty and
// never touch the user's own.
class TempEnvironment {
public:
    TempEnvironment();
    ~TempEnvironment();
    TempEnvironment(const TempEnvironment&) = delete;
    TempEnvironment& operator=(const TempEnvironment&) = delete;

    QString ConfigHome() const;
    QString DataHome() const;
    // A scratch folder for the test's own files.
    QString Scratch() const;

private:
    QTemporaryDir m_root;
    QByteArray m_oldConfig;
    QByteArray m_oldData;
    bool m_hadConfig;
    bool m_hadData;
};

// Keeps a file from being written or replaced while it lives, for root too
// (the file system's immutable flag; read-only permissions for others).
// Held() is false where neither could be set.
class UnwritableFile {
public:
    explicit UnwritableFile(QString path);
    ~UnwritableFile();
    UnwritableFile(const UnwritableFile&) = delete;
    UnwritableFile& operator=(const UnwritableFile&) = delete;
    bool Held() const { return m_held; }

private:
    QString m_path;
    bool m_held = false;
    bool m_immutable = false;
};

// The source tree; the tests' data lie in its tests/data.
QString SourceDir();
