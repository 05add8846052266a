// Slide shows of the demo disc on the offscreen platform, started through the
// slide-show dialog and the browse wizard as a person would and ended with
// Escape: the process's CPU time against wall time (over the whole show, and
// over the waits alone, from shortly after each picture is painted to the
// next step), and the hold from the end of one forward step to the start of
// the next against the period the view time sets (median and worst deviation).
//
//   QUELBY_BENCH_ISO=build-rel/demo/quelby.iso build-rel/bench/viewer/bench_viewer_slideshow

#include "BenchDisc.h"
#include "CDialog.h"
#include "CSlideShowDlg.h"
#include "CquelbyApp.h"
#include "CquelbyView.h"
#include "MessageBox.h"
#include "PrivateProfile.h"
#include "SlideShowCommand.h"
#include "ViewerIds.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

constexpr int kBrowseTemplate = 136;
constexpr int kAllCartoonsButton = 102;

double CpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

struct Sample {
    double wallMs;
    double cpuMs;
};

struct Figures {
    std::vector<Sample> starts, dones;
    double waitWallMs = 0, waitCpuMs = 0;
    Sample begin{}, end{};
};

void Answer(CDialog& dialog, int viewTime) {
    if (dialog.TemplateId() == CSlideShowDlg::kTemplateId) {
        dialog.Item<QLineEdit>(CSlideShowDlg::kViewTimeId)->setText(QString::number(viewTime));
        dialog.Item<QAbstractButton>(IDOK)->click();
    } else if (dialog.TemplateId() == kBrowseTemplate) {
        dialog.Item<QAbstractButton>(kAllCartoonsButton)->click();
    }
}

Figures RunShow(bool diagnostic, int viewTime, int steps, int waitMarkMs) {
    privateprofile::WriteString(QStringLiteral("quelby"), QStringLiteral("test"),
                                diagnostic ? QStringLiteral("1") : QStringLiteral("0"));
    CDialog::SetModalHook([viewTime](CDialog& dialog) { Answer(dialog, viewTime); });
    CquelbyApp app;
    app.InitInstance({});
    SlideShowCommand& command = app.SlideShows();
    Figures figures;
    QElapsedTimer clock;
    const auto now = [&clock] { return Sample{double(clock.nsecsElapsed()) / 1e6, CpuMs()}; };
    std::vector<Sample> marks;
    QObject::connect(&command.Show(), &SlideShow::StepStarting, [&] {
        const Sample s = now();
        if (marks.size() == figures.dones.size() && !marks.empty()) {
            figures.waitWallMs += s.wallMs - marks.back().wallMs;
            figures.waitCpuMs += s.cpuMs - marks.back().cpuMs;
        }
        figures.starts.push_back(s);
    });
    QObject::connect(&command.Show(), &SlideShow::StepDone, [&] {
        figures.dones.push_back(now());
        if (int(figures.dones.size()) == steps) {
            QCoreApplication::postEvent(
                app.View(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
            return;
        }
        QTimer::singleShot(waitMarkMs, [&] { marks.push_back(now()); });
    });
    QEventLoop loop;
    QObject::connect(&command, &SlideShowCommand::Ended, &loop, &QEventLoop::quit);
    clock.start();
    figures.begin = now();
    app.Frame()->Router().Execute(ids::ID_SLIDE_SHOW);
    if (command.IsRunning())
        loop.exec();
    figures.end = now();
    CDialog::SetModalHook(nullptr);
    return figures;
}

void Report(benchmark::State& state, const Figures& f, int periodMs) {
    std::vector<double> holds;
    for (std::size_t i = 0; i + 1 < f.starts.size(); ++i)
        holds.push_back(f.starts[i + 1].wallMs - f.dones[i].wallMs);
    std::vector<double> deviations;
    for (double hold : holds)
        deviations.push_back(hold - periodMs);
    std::sort(holds.begin(), holds.end());
    std::sort(deviations.begin(), deviations.end(),
              [](double a, double b) { return std::fabs(a) < std::fabs(b); });
    const double wall = f.end.wallMs - f.begin.wallMs;
    const double cpu = f.end.cpuMs - f.begin.cpuMs;
    const double median = holds.empty() ? 0 : holds[holds.size() / 2];
    const double worst = deviations.empty() ? 0 : deviations.back();
    std::fprintf(stderr,
                 "%zu steps, period %d ms: hold median %.2f ms, worst deviation %+.2f ms; "
                 "whole show: wall %.0f ms, CPU %.1f ms (%.2f %% of one core); waits: wall %.0f "
                 "ms, CPU %.2f ms (%.3f %%)\n",
                 f.dones.size(), periodMs, median, worst, wall, cpu, 100 * cpu / wall, f.waitWallMs,
                 f.waitCpuMs, f.waitWallMs > 0 ? 100 * f.waitCpuMs / f.waitWallMs : 0.0);
    state.counters["steps"] = double(f.dones.size());
    state.counters["hold_median_ms"] = median;
    state.counters["hold_worst_dev_ms"] = worst;
    state.counters["show_wall_ms"] = wall;
    state.counters["show_cpu_pct"] = 100 * cpu / wall;
    state.counters["wait_cpu_pct"] = f.waitWallMs > 0 ? 100 * f.waitCpuMs / f.waitWallMs : 0;
}

bool UseDisc(benchmark::State& state) {
    if (!InsertBenchDisc(state))
        return false;
    SetMessageBoxHook([](const QString& text, const QString&, unsigned) {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return IDOK;
    });
    return true;
}

// 20 steps in diagnostic mode: a tenth of a second each.
void DiagnosticShow(benchmark::State& state) {
    if (!UseDisc(state))
        return;
    for (auto _ : state)
        Report(state, RunShow(true, 5, 20, 40), 100);
}

// 3 steps at a view time of 1 second: 750 ms each.
void OneSecondShow(benchmark::State& state) {
    if (!UseDisc(state))
        return;
    for (auto _ : state)
        Report(state, RunShow(false, 1, 3, 300), 750);
}

BENCHMARK(DiagnosticShow)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(OneSecondShow)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
