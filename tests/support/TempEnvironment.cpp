#include "TempEnvironment.h"

#include <QDir>
#include <QStandardPaths>

namespace {
void Restore(const char* name, bool had, const QByteArray& value) {
    if (had)
        qputenv(name, value);
    else
        qunsetenv(name);
}
} // namespace

TempEnvironment::TempEnvironment()
    : m_oldConfig(qgetenv("XDG_CONFIG_HOME")), m_oldData(qgetenv("XDG_DATA_HOME")),
      m_hadConfig(qEnvironmentVariableIsSet("XDG_CONFIG_HOME")),
      m_hadData(qEnvironmentVariableIsSet("XDG_DATA_HOME")) {
    QDir root(m_root.path());
    root.mkpath(QStringLiteral("config"));
    root.mkpath(QStringLiteral("data"));
    root.mkpath(QStringLiteral("scratch"));
    qputenv("XDG_CONFIG_HOME", ConfigHome().toLocal8Bit());
    qputenv("XDG_DATA_HOME", DataHome().toLocal8Bit());
}

TempEnvironment::~TempEnvironment() {
    Restore("XDG_CONFIG_HOME", m_hadConfig, m_oldConfig);
    Restore("XDG_DATA_HOME", m_hadData, m_oldData);
}

QString TempEnvironment::ConfigHome() const {
    return m_root.filePath(QStringLiteral("config"));
}
QString TempEnvironment::DataHome() const {
    return m_root.filePath(QStringLiteral("data"));
}
QString TempEnvironment::Scratch() const {
    return m_root.filePath(QStringLiteral("scratch"));
}

QString SourceDir() {
    const QString dir = qEnvironmentVariable("QUELBY_SOURCE_DIR");
    return dir.isEmpty() ? QStringLiteral(QUELBY_SOURCE_DIR) : dir;
}
