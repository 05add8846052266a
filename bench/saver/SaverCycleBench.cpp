// The saver's turns on the demo disc, in a 1024 x 768 window off screen: the
// processor time a waiting saver takes against the wall time, the period of
// its turns (median and worst deviation from the median) at a view time of
// one second and in diagnostic mode, and the peak resident memory after 100
// and after 500 turns, which must stay flat.
//
//   QUELBY_BENCH_ISO=build-rel/demo/quelby.iso build-rel/bench/saver/bench_saver_cycle

#include "BenchDisc.h"
#include "CCartoonWnd.h"
#include "CScreenSaverApp.h"
#include "MainWindow.h"
#include "PrivateProfile.h"
#include "Profile.h"
#include "SaverSettings.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <sys/resource.h>
#include <vector>

namespace {

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

long StatusKb(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(static_cast<qsizetype>(qstrlen(field)))
                .trimmed()
                .split(' ')[0]
                .toLong();
    }
    return -1;
}

struct Run {
    double wall = 0;             // seconds
    double cpu = 0;              // seconds
    std::vector<double> periods; // milliseconds between turns
    long rssAfterFirstHundred = 0;
    long rssAtEnd = 0;
};

// Runs the saver window with the settings given until the time is up or the
// turns are drawn, whichever comes first.
Run RunSaver(int delay, bool diagnostic, int seconds, int turns) {
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/data")).toLocal8Bit());
    Profile::App().WriteInt(saverkeys::kSection, saverkeys::kDelay, delay);
    if (diagnostic)
        privateprofile::WriteString(QStringLiteral("quelbyscreensaver"), QStringLiteral("test"),
                                    QStringLiteral("1"));
    StandardErrorReporter reporter;
    Run run;
    QEventLoop loop;
    QElapsedTimer clock;
    qint64 lastTurn = 0;
    {
        CCartoonWnd window(reporter);
        AfxSetMainWnd(&window);
        QObject::connect(&window, &CCartoonWnd::TurnDrawn, [&](int turn) {
            const qint64 now = clock.nsecsElapsed();
            if (turn > 1)
                run.periods.push_back(static_cast<double>(now - lastTurn) / 1e6);
            lastTurn = now;
            if (turn == 100)
                run.rssAfterFirstHundred = StatusKb("VmHWM:");
            if (turn == turns)
                loop.quit();
        });
        QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
        const double cpuBefore = CpuSeconds();
        clock.start();
        window.Create(Qt::Window | Qt::FramelessWindowHint, QRect(0, 0, 1024, 768));
        loop.exec();
        run.wall = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        run.cpu = CpuSeconds() - cpuBefore;
        run.rssAtEnd = StatusKb("VmHWM:");
        AfxSetMainWnd(nullptr);
    }
    return run;
}

void Report(benchmark::State& state, Run run) {
    state.counters["wall_s"] = run.wall;
    state.counters["cpu_s"] = run.cpu;
    state.counters["cpu_percent"] = 100 * run.cpu / run.wall;
    state.counters["turns"] =
        static_cast<double>(run.periods.size() + (run.periods.empty() ? 0 : 1));
    if (run.periods.empty())
        return;
    std::vector<double> sorted = run.periods;
    std::sort(sorted.begin(), sorted.end());
    const double median = sorted[sorted.size() / 2];
    state.counters["period_median_ms"] = median;
    state.counters["period_worst_deviation_ms"] =
        std::max(median - sorted.front(), sorted.back() - median);
}

// A saver in its wait, before its first turn: the cost of waiting alone.
void Waiting(benchmark::State& state) {
    if (!InsertBenchDisc(state))
        return;
    for (auto _ : state)
        Report(state, RunSaver(10, false, 9, 1));
}

void DelayOneSecond(benchmark::State& state) {
    if (!InsertBenchDisc(state))
        return;
    for (auto _ : state)
        Report(state, RunSaver(1, false, 30, -1));
}

void Diagnostic(benchmark::State& state) {
    if (!InsertBenchDisc(state))
        return;
    for (auto _ : state)
        Report(state, RunSaver(1, true, 10, -1));
}

void FiveHundredTurns(benchmark::State& state) {
    if (!InsertBenchDisc(state))
        return;
    for (auto _ : state) {
        const Run run = RunSaver(1, true, 120, 500);
        Report(state, run);
        state.counters["peak_rss_turn100_kb"] = static_cast<double>(run.rssAfterFirstHundred);
        state.counters["peak_rss_turn500_kb"] = static_cast<double>(run.rssAtEnd);
    }
}

BENCHMARK(Waiting)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);
BENCHMARK(DelayOneSecond)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);
BENCHMARK(Diagnostic)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);
BENCHMARK(FiveHundredTurns)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    Profile::NameApplication();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
