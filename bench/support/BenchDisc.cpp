#include "BenchDisc.h"

#include "Drives.h"

#include <QFile>

bool InsertBenchDisc(benchmark::State& state) {
    const QString iso = qEnvironmentVariable("QUELBY_BENCH_ISO");
    if (iso.isEmpty() || !QFile::exists(iso)) {
        state.SkipWithError("set QUELBY_BENCH_ISO to the demo CD image (target democd)");
        return false;
    }
    DriveTable::SetCurrent(DriveTable({Drive{'D', DriveType::cdrom, MakeIsoVolume(iso)}}));
    return true;
}
