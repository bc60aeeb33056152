// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include <benchmark/benchmark.h>

#include <memory>

#include <QApplication>

#include "game/frm_tilebash.h"
#include "support/temp_dir.h"
#include "ui/qt/run_program.h"
#include "ui/qt/window_view.h"

// The cost of the view's refresh on the game's own window, a game running:
// what every frame tick pays on top of the tick itself.

namespace {

using namespace tilebash;

struct RunningGame {
    RunningGame() {
        testing::copyFiles(TILEBASH_DATA_DIR, folder.path());
        view.build(game);
        view.load();
        view.show();
        view.run(game.cmdNewGame.onClick);
        // The ticks come from the benchmark.
        game.tmrFrameSpeed.setEnabled(false);
        game.tmrTime.setEnabled(false);
        view.run(game.tmrFrameSpeed.onTimer);
        QApplication::processEvents();
    }
    // Keeps the ball in play: back to where it was every few ticks.
    void tick(int n) {
        if (n % 8 == 0) {
            game.intBallY = 1500;
        }
        view.run(game.tmrFrameSpeed.onTimer);
    }

    testing::TempDir folder;
    testing::WorkingDirectory here{folder.path()};
    std::unique_ptr<FrmTilebash> model;  // outlives the view
    ui::qt::WindowView view;
    FrmTilebash& game = *(model = std::make_unique<FrmTilebash>(view));
};

// The tick itself and the refresh after it.
void tickAndRefresh(benchmark::State& state) {
    RunningGame running;
    int n = 0;
    for (auto _ : state) {
        running.tick(n++);
    }
    QApplication::processEvents();
}
BENCHMARK(tickAndRefresh);

// A refresh where nothing changed: every control copied, nothing set.
void refreshWithNothingChanged(benchmark::State& state) {
    RunningGame running;
    for (auto _ : state) {
        running.view.run([] {});
    }
}
BENCHMARK(refreshWithNothingChanged);

// For scale: the same tick plus Qt's repaint of what the refresh marked.
void tickRefreshAndRepaint(benchmark::State& state) {
    RunningGame running;
    int n = 0;
    for (auto _ : state) {
        running.tick(n++);
        QApplication::processEvents();
    }
}
BENCHMARK(tickRefreshAndRepaint);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    ui::qt::setUpApplication({"view_sync_bench", ""});
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
