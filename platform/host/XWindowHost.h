#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QSize>
#include <cstdint>
#include <optional>

// The X server's side of a screen-saver host: the window a display mode is
// told to draw into, its size as the server has it, and what becomes of it.
namespace xhost {
// Whether the program talks to an X server (Qt's xcb platform).
bool Available();
// The root window of the default screen; none without an X server.
std::optional<std::uint32_t> RootWindow();
// The window's size; none when the server knows no such window.
std::optional<QSize> WindowSize(std::uint32_t window);
} // namespace xhost

// Follows a window another program owns: tells when its size changes and
// when it is destroyed. Asks the server for those events of that window for
// this program alone; the owner's own selection stays as it was.
class XWindowWatcher : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    explicit XWindowWatcher(std::uint32_t window, QObject* parent = nullptr);
    ~XWindowWatcher() override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

signals:
    void Resized(QSize size);
    void Destroyed();

private:
    std::uint32_t m_window;
    QSize m_size;
};
