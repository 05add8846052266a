// libFuzzer entry for the bitmap routines (-DQUELBY_FUZZ=ON, clang).
#include "DibFuzzTarget.h"

#include <QGuiApplication>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    RunDibInput(data, size);
    return 0;
}
