// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include <benchmark/benchmark.h>

#include "game/frm_tilebash.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"

// The cost of one frame tick of the game model, without any view.

namespace {

using namespace tilebash;

// The ball in flight over a full level: the move, the wall and paddle cases
// and the scan of all 35 bricks.
void frameTick(benchmark::State& state) {
    testing::WorkingCopy folder(TILEBASH_DATA_DIR);
    testing::RecordingHost host;
    FrmTilebash window(host);
    window.onLoad();
    window.cmdNewGame_Click();
    // The ball rises and falls in the lower half, never reaching a brick or
    // losing a life, so every tick does the same work.
    for (auto _ : state) {
        window.intBallY = 4000;
        window.intBallSpeedY = static_cast<std::int16_t>(-window.intBallSpeedY);
        window.tmrFrameSpeed_Timer();
    }
    benchmark::DoNotOptimize(window.intScore);
}
BENCHMARK(frameTick);

// The tick that hits a level's 35th brick: the level change reads the next
// level file, lays out and shows all bricks, serves the ball, and the scan
// goes on against the new layout.
void frameTickChangingLevel(benchmark::State& state) {
    testing::WorkingCopy folder(TILEBASH_DATA_DIR);
    testing::RecordingHost host;
    FrmTilebash window(host);
    window.onLoad();
    window.cmdNewGame_Click();
    for (auto _ : state) {
        // Every time from level 1 to level 2, with brick 0 as the 35th.
        window.bytLevel = 1;
        window.bytBricksHit = kBrickCount - 1;
        window.intBallX = static_cast<std::int16_t>(window.shpBrick[0].left());
        window.intBallY = static_cast<std::int16_t>(window.shpBrick[0].top());
        window.intBallSpeedX = 0;
        window.intBallSpeedY = 0;
        window.tmrFrameSpeed_Timer();
    }
    if (window.bytLevel != 2) {
        state.SkipWithError("the tick did not change the level");
    }
}
BENCHMARK(frameTickChangingLevel);

}  // namespace

BENCHMARK_MAIN();
