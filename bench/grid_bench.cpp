// Grid file timings on the attending-physician declaration's mapping grid, data/grids/MT.cil.
//   BM_LoadGridFile: loadGridFile, read and checked as a whole (goal: median < 1 ms).
//   BM_SaveGridFile: saveGridFile, written beside the target and renamed (goal: median < 1 ms).
// Run with --benchmark_repetitions to get the median.
#include "grid/GridFile.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <string>

using namespace formalys::grid;

namespace {

const std::string mtGrid = std::string(FORMALYS_GRIDS_DIR) + "/MT.cil";

void BM_LoadGridFile(benchmark::State& state)
{
    for (auto _ : state) {
        GridLoad load = loadGridFile(mtGrid);
        if (!load.accepted()) {
            state.SkipWithError(load.reason.c_str());
            break;
        }
        benchmark::DoNotOptimize(load);
    }
}
BENCHMARK(BM_LoadGridFile)->Unit(benchmark::kMicrosecond);

void BM_SaveGridFile(benchmark::State& state)
{
    const GridLoad load = loadGridFile(mtGrid);
    if (!load.accepted()) {
        state.SkipWithError(load.reason.c_str());
        return;
    }
    std::string directory = "/tmp/formalys-bench-XXXXXX";
    if (::mkdtemp(directory.data()) == nullptr) {
        state.SkipWithError("cannot create a temporary directory");
        return;
    }
    const std::string path = directory + "/1234.ss";
    for (auto _ : state) {
        if (!saveGridFile(*load.sheet, path)) {
            state.SkipWithError("the pause file could not be saved");
            break;
        }
    }
    std::filesystem::remove_all(directory);
}
BENCHMARK(BM_SaveGridFile)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
