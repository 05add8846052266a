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

// The source tree; the tests' data lie in its tests/data.
QString SourceDir();
