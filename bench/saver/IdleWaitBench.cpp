// What waiting for the idle time costs with the X server's screen-saver
// extension: the processor time of the whole process over a stretch of wall
// time, while the session is busier than the idle time (an idle time of ten
// minutes, so the watch only waits), and while it is idle (an idle time of a
// second: after Idle it looks once a second for input). Needs an X server
// with the extension, in DISPLAY; the wall time in seconds is the argument
// (60 by default).
//
//   xvfb-run -a build-rel/bench/saver/bench_idle_wait 60

#include "XIdleWatch.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>

namespace {

using namespace std::chrono_literals;

double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// Waits `seconds` of wall time in the event loop, the watch watching for that
// idle time; prints the processor time per minute of wall time.
void Measure(XIdleWatch& watch, const char* what, std::chrono::milliseconds idleTime, int seconds) {
    int idles = 0;
    const QMetaObject::Connection counting =
        QObject::connect(&watch, &IdleWatch::Idle, [&idles] { ++idles; });
    QElapsedTimer wall;
    const double cpuBefore = CpuSeconds();
    wall.start();
    watch.Watch(idleTime);
    QTimer::singleShot(seconds * 1000, QCoreApplication::instance(), &QCoreApplication::quit);
    QCoreApplication::exec();
    const double cpu = CpuSeconds() - cpuBefore;
    const double minutes = static_cast<double>(wall.elapsed()) / 60000.0;
    std::printf("%-34s wall %6.1f s  cpu %8.3f ms  %8.3f ms per minute  %.4f %% of a core  "
                "(Idle told %d times)\n",
                what, minutes * 60.0, cpu * 1000.0, cpu * 1000.0 / minutes,
                cpu / (minutes * 60.0) * 100.0, idles);
    QObject::disconnect(counting);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 60;
    // One connection for both: an X server may reset when its last client leaves.
    const std::unique_ptr<XIdleWatch> watch = XIdleWatch::Open();
    if (!watch) {
        std::fprintf(stderr,
                     "bench_idle_wait: needs an X server with the screen-saver extension\n");
        return 1;
    }
    Measure(*watch, "waiting (idle time 10 min)", 10min, seconds);
    Measure(*watch, "idle, looking for input (1 s)", 1s, seconds);
    return 0;
}
