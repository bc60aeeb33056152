#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "game/frm_tilebash.h"

// The cost of one frame tick of the game model, with the ball in flight over
// a full level: the move, the wall and paddle cases and the scan of all 35
// bricks, without any view.

namespace {

using namespace tilebash;

class SilentHost : public ui::Host {
  public:
    ui::TextExtent measureText(const std::string& text, const ui::Font& font) const override {
        return {static_cast<double>(text.size()) * font.points * 10, font.points * 24};
    }
    void showMessage(const std::string&, const std::string&) override {}
    void endProgram() override {}
};

void frameTick(benchmark::State& state) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "tilebash-bench";
    std::filesystem::create_directories(folder);
    for (const auto& entry : std::filesystem::directory_iterator(TILEBASH_DATA_DIR)) {
        std::filesystem::copy_file(entry.path(), folder / entry.path().filename(),
                                   std::filesystem::copy_options::overwrite_existing);
    }
    std::filesystem::current_path(folder);

    SilentHost host;
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
    std::filesystem::remove_all(folder);
}
BENCHMARK(frameTick);

}  // namespace

BENCHMARK_MAIN();
