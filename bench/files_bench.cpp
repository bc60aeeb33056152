#include <benchmark/benchmark.h>

#include "bench/bench_support.h"
#include "common/level_file.h"
#include "game/frm_tilebash.h"

// The cost of the files: a level read at every level start of the game and
// by the editor, and options.wkp read at the game's start and written when
// it quits. Each opens, reads or writes the whole file and closes it; the
// write also syncs it to the disk before putting it in place.

namespace {

using namespace tilebash;

void loadLevel(benchmark::State& state) {
    bench::ShippedFilesFolder folder("tilebash-bench-level");
    BrickCoordinates x{}, y{};
    for (auto _ : state) {
        loadLevelFile(levelFileName(3), x, y);
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(y);
    }
}
BENCHMARK(loadLevel);

void readOptions(benchmark::State& state) {
    bench::ShippedFilesFolder folder("tilebash-bench-read-options");
    bench::SilentHost host;
    FrmTilebash window(host);
    for (auto _ : state) {
        window.subReadOptions();
        benchmark::DoNotOptimize(window.bytDifficulty);
    }
}
BENCHMARK(readOptions);

void writeOptions(benchmark::State& state) {
    bench::ShippedFilesFolder folder("tilebash-bench-write-options");
    bench::SilentHost host;
    FrmTilebash window(host);
    window.subReadOptions();
    for (auto _ : state) {
        window.subSaveOptions();
    }
}
BENCHMARK(writeOptions);

}  // namespace

BENCHMARK_MAIN();
