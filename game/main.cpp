#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "game/frm_tilebash.h"
#include "ui/qt/run_program.h"

namespace {

// With TILEBASH_TRACE_TICKS set, every frame tick writes "tick <microseconds
// of the monotonic clock>" to standard error, and every once-a-second update
// "status <microseconds> <time caption>|<frame-rate caption>", so that a script can measure
// the real frame clock (bench/frame_clock). Unset, nothing is wrapped and
// play costs nothing extra.
long long monotonicMicroseconds() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<long long>(
        std::chrono::duration_cast<std::chrono::microseconds>(now).count());
}

void traceTicks(tilebash::FrmTilebash& window) {
    auto tick = std::move(window.tmrFrameSpeed.onTimer);
    window.tmrFrameSpeed.onTimer = [tick] {
        std::fprintf(stderr, "tick %lld\n", monotonicMicroseconds());
        tick();
    };
    auto status = std::move(window.tmrTime.onTimer);
    window.tmrTime.onTimer = [status, &window] {
        status();
        std::fprintf(stderr, "status %lld %s|%s\n", monotonicMicroseconds(),
                     window.lblTime.caption().c_str(), window.lblFPS.caption().c_str());
    };
}

}  // namespace

int main(int argc, char** argv) {
    return tilebash::ui::qt::runProgram(argc, argv, [](tilebash::ui::Host& host) {
        auto window = std::make_unique<tilebash::FrmTilebash>(host);
        if (std::getenv("TILEBASH_TRACE_TICKS") != nullptr) {
            traceTicks(*window);
        }
        return window;
    });
}
