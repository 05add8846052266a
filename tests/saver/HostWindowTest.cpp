#include "SaverTestSupport.h"
#include "VirtualXServer.h"

#include <QFile>
#include <QProcess>
#include <QTest>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <xcb/xcb.h>

namespace {

using namespace saverkeys;
using namespace selectionkeys;

// A virtual X server of the test's own, and a window on it as a screen-saver
// host makes one for its display mode.
class HostWindow : public ::testing::Test, public SaverFixture {
protected:
    void SetUp() override {
        if (!VirtualXServer::Installed())
            GTEST_SKIP() << "Xvfb is not installed";
        ASSERT_TRUE(m_server.Start());
        m_connection = xcb_connect(m_server.Display().constData(), nullptr);
        ASSERT_EQ(xcb_connection_has_error(m_connection), 0);
        xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
        m_window = xcb_generate_id(m_connection);
        const std::uint32_t background = screen->white_pixel;
        xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, m_window, screen->root, 0, 0, 320,
                          240, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                          XCB_CW_BACK_PIXEL, &background);
        xcb_map_window(m_connection, m_window);
        xcb_flush(m_connection);
    }

    void TearDown() override {
        if (m_connection)
            xcb_disconnect(m_connection);
    }

    // The pixel of the host's window as the server shows it, with what the
    // saver drew into it.
    QRgb PixelAt(QPoint at) const {
        using Image = std::unique_ptr<xcb_get_image_reply_t, decltype(&std::free)>;
        const Image image(xcb_get_image_reply(m_connection,
                                              xcb_get_image(m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP,
                                                            m_window, at.x(), at.y(), 1, 1, ~0u),
                                              nullptr),
                          &std::free);
        if (!image || xcb_get_image_data_length(image.get()) < 4)
            return 0;
        std::uint32_t pixel = 0;
        std::memcpy(&pixel, xcb_get_image_data(image.get()), 4);
        return pixel & 0xffffff;
    }
    bool WaitForPixel(QPoint at, std::function<bool(QRgb)> wanted) const {
        return QTest::qWaitFor([&] { return wanted(PixelAt(at)); }, 20000);
    }

    void Run(QProcess& saver, const QStringList& arguments) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(m_server.Display()));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        // The copy of the CD, as a folder drive labelled as the CD is.
        QFile label(disc.Root() + QStringLiteral("/.windows-label"));
        ASSERT_TRUE(label.open(QIODevice::WriteOnly));
        label.write("QUELBY_CDH\n");
        label.close();
        environment.insert(QStringLiteral("QUELBY_DRIVES"), QStringLiteral("E=") + disc.Root());
        QFile::setPermissions(env.Scratch(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                 QFileDevice::ExeOwner);
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), env.Scratch());
        // The X libraries keep allocations at exit; the saver's own are
        // checked in process by the other tests.
        environment.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        saver.setProcessEnvironment(environment);
        saver.setProcessChannelMode(QProcess::ForwardedChannels);
        saver.start(QStringLiteral(WENDLE_PROGRAM), arguments);
    }

    VirtualXServer m_server;
    xcb_connection_t* m_connection = nullptr;
    xcb_window_t m_window = 0;
};

const QString kFirst = QStringLiteral("1T005HI1.BMP");

TEST_F(HostWindow, WindowIdDrawsTheCycleIntoItFollowingItsSizeUntilTerminated) {
    QProcess saver;
    const QStringList arguments{QStringLiteral("-window-id"),
                                QStringLiteral("0x%1").arg(m_window, 0, 16),
                                QStringLiteral("--delay"), QStringLiteral("1")};
    ASSERT_NO_FATAL_FAILURE(Run(saver, arguments));
    ASSERT_TRUE(saver.waitForStarted());
    // The first cartoon, 40 x 30, in the middle of the window on black.
    const QRgb first = ColourOf(kFirst) & 0xffffff;
    ASSERT_TRUE(WaitForPixel(QPoint(160, 120), [&](QRgb p) { return p == first; }));
    EXPECT_EQ(PixelAt(QPoint(100, 60)), 0u);
    EXPECT_EQ(PixelAt(QPoint(160 + 25, 120)), 0u);

    // Grown, the window shows its cartoon in its new middle.
    const std::uint32_t size[] = {480, 360};
    xcb_configure_window(m_connection, m_window, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
                         size);
    xcb_flush(m_connection);
    EXPECT_TRUE(WaitForPixel(QPoint(240, 180), [](QRgb p) { return p != 0 && p != 0xffffff; }));
    EXPECT_TRUE(WaitForPixel(QPoint(160, 120), [](QRgb p) { return p == 0; }));

    // The host ends its display mode with SIGTERM: the saver stores its
    // place and ends normally.
    saver.terminate();
    ASSERT_TRUE(saver.waitForFinished(20000));
    EXPECT_EQ(saver.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(saver.exitCode(), 0);
    EXPECT_GE(Stored(kImageCounter).toInt(), 1);
}

TEST_F(HostWindow, AWindowIdTheServerDoesNotKnowIsRefused) {
    QProcess saver;
    const QStringList arguments{QStringLiteral("--window-id"), QStringLiteral("0x1fffff00")};
    ASSERT_NO_FATAL_FAILURE(Run(saver, arguments));
    ASSERT_TRUE(saver.waitForFinished(20000));
    EXPECT_EQ(saver.exitStatus(), QProcess::NormalExit);
    EXPECT_NE(saver.exitCode(), 0);
}

} // namespace
