#include "TempEnvironment.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

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

UnwritableFile::UnwritableFile(QString path) : m_path(std::move(path)) {
    const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_CLOEXEC);
    int flags = 0;
    if (fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
        flags |= FS_IMMUTABLE_FL;
        m_immutable = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    if (fd >= 0)
        ::close(fd);
    m_held =
        m_immutable || (::geteuid() != 0 && QFile::setPermissions(m_path, QFileDevice::ReadOwner));
}

UnwritableFile::~UnwritableFile() {
    if (m_immutable) {
        const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_CLOEXEC);
        int flags = 0;
        if (fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
            flags &= ~FS_IMMUTABLE_FL;
            ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
        }
        if (fd >= 0)
            ::close(fd);
    }
    QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

QString SourceDir() {
    const QString dir = qEnvironmentVariable("QUELBY_SOURCE_DIR");
    return dir.isEmpty() ? QStringLiteral(QUELBY_SOURCE_DIR) : dir;
}
