// A tour of every cartoon of the demo disc through the forward step, each
// picture painted into the view off screen: time per step (median, worst)
// and the peak resident memory after each lap, which must not grow.
//
//   QUELBY_BENCH_ISO=build-view-rel/demo/quelby.iso build-view-rel/bench/viewer/bench_viewer_tour

#include "CquelbyApp.h"
#include "CquelbyDoc.h"
#include "CquelbyView.h"
#include "Drives.h"
#include "MessageBox.h"
#include "Viewing.h"

#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <vector>

namespace {

long PeakResidentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

void TourLaps(benchmark::State& state) {
    const QString iso = qEnvironmentVariable("QUELBY_BENCH_ISO");
    if (iso.isEmpty() || !QFile::exists(iso)) {
        state.SkipWithError("set QUELBY_BENCH_ISO to the demo CD image (target democd)");
        return;
    }
    DriveTable::SetCurrent(DriveTable({Drive{'D', DriveType::cdrom, MakeIsoVolume(iso)}}));
    SetMessageBoxHook([](const QString& text, const QString&, unsigned) {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return IDOK;
    });
    CquelbyApp app;
    app.InitInstance({});
    CquelbyView& view = *app.View();
    QImage canvas(view.size(), QImage::Format_RGB32);
    std::vector<double> allSteps;
    int lap = 0;
    for (auto _ : state) {
        std::vector<double> steps;
        for (int i = 0; i < 743; ++i) {
            QElapsedTimer timer;
            timer.start();
            app.Model().StepForward();
            QPainter painter(&canvas);
            view.OnDraw(painter, false);
            steps.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        }
        ++lap;
        std::sort(steps.begin(), steps.end());
        std::fprintf(stderr, "lap %d: median %.3f ms, worst %.3f ms, VmHWM %ld kB, position %d\n",
                     lap, steps[steps.size() / 2], steps.back(), PeakResidentKb(),
                     app.Model().State().m_selection.imageCounter);
        allSteps.insert(allSteps.end(), steps.begin(), steps.end());
        state.counters["VmHWM_kB_lap" + std::to_string(lap)] =
            static_cast<double>(PeakResidentKb());
    }
    std::sort(allSteps.begin(), allSteps.end());
    if (!allSteps.empty()) {
        state.counters["step_median_ms"] = allSteps[allSteps.size() / 2];
        state.counters["step_worst_ms"] = allSteps.back();
    }
    SetMessageBoxHook(nullptr);
}

BENCHMARK(TourLaps)->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace
