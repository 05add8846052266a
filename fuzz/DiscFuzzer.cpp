// libFuzzer entry for the disc layer (-DQUELBY_FUZZ=ON, clang).
#include "DiscFuzzTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    RunDiscInput(data, size);
    return 0;
}
