#include "VirtualXServer.h"

#include <QStandardPaths>
#include <poll.h>
#include <unistd.h>

namespace {
QString Xvfb() {
    return QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
}
} // namespace

VirtualXServer::~VirtualXServer() {
    if (m_server.state() == QProcess::NotRunning)
        return;
    m_server.terminate();
    if (!m_server.waitForFinished(5000))
        m_server.kill();
    m_server.waitForFinished();
}

bool VirtualXServer::Installed() {
    return !Xvfb().isEmpty();
}

bool VirtualXServer::Start() {
    // The server writes its display number down descriptor 3 once it
    // accepts clients.
    int fds[2];
    if (::pipe(fds) != 0)
        return false;
    m_server.setChildProcessModifier([fd = fds[1]] { ::dup2(fd, 3); });
    m_server.start(Xvfb(),
                   {QStringLiteral("-displayfd"), QStringLiteral("3"), QStringLiteral("-screen"),
                    QStringLiteral("0"), QStringLiteral("640x480x24"), QStringLiteral("-nolisten"),
                    QStringLiteral("tcp")});
    ::close(fds[1]);
    pollfd ready{fds[0], POLLIN, 0};
    char number[16] = {};
    const bool read = ::poll(&ready, 1, 20000) == 1 && ::read(fds[0], number, 15) > 0;
    ::close(fds[0]);
    m_display = ":" + QByteArray(number).trimmed();
    return read;
}
