// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include <benchmark/benchmark.h>

#include "common/level_file.h"
#include "game/frm_tilebash.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"

// The cost of the files: a level read at every level start of the game and
// by the editor, and options.wkp read at the game's start and written when
// it quits. Each opens, reads or writes the whole file and closes it; the
// write also syncs it to the disk before putting it in place.

namespace {

using namespace tilebash;

void loadLevel(benchmark::State& state) {
    testing::WorkingCopy folder(TILEBASH_DATA_DIR);
    for (auto _ : state) {
        Level level = readLevelFile(levelFileName(3));
        benchmark::DoNotOptimize(level);
    }
}
BENCHMARK(loadLevel);

void readOptions(benchmark::State& state) {
    testing::WorkingCopy folder(TILEBASH_DATA_DIR);
    testing::RecordingHost host;
    FrmTilebash window(host);
    for (auto _ : state) {
        window.subReadOptions();
        benchmark::DoNotOptimize(window.bytDifficulty);
    }
}
BENCHMARK(readOptions);

void writeOptions(benchmark::State& state) {
    testing::WorkingCopy folder(TILEBASH_DATA_DIR);
    testing::RecordingHost host;
    FrmTilebash window(host);
    window.subReadOptions();
    for (auto _ : state) {
        window.subSaveOptions();
    }
}
BENCHMARK(writeOptions);

}  // namespace

BENCHMARK_MAIN();
