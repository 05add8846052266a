#pragma once

#include <QByteArray>
#include <QProcess>

// A virtual X server of the test's own (Xvfb), 640 x 480, ended gently with
// the object so that it removes its socket and lock for the next.
class VirtualXServer {
public:
    VirtualXServer() = default;
    ~VirtualXServer();
    VirtualXServer(const VirtualXServer&) = delete;
    VirtualXServer& operator=(const VirtualXServer&) = delete;

    // Whether Xvfb is installed; a test without it skips.
    static bool Installed();
    // Starts the server; false when it did not come to accept clients.
    bool Start();
    // ":N", for DISPLAY.
    const QByteArray& Display() const { return m_display; }

private:
    QProcess m_server;
    QByteArray m_display;
};
