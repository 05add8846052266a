#pragma once

#include <benchmark/benchmark.h>

// Puts the disc image QUELBY_BENCH_ISO names (the demo CD, target democd) in
// drive D; false, with the benchmark skipped and told why, when it is not set
// or not there.
bool InsertBenchDisc(benchmark::State& state);
