// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/tick_trace.h"

#include <chrono>
#include <cstdio>
#include <utility>

namespace tilebash {
namespace {

long long monotonicMicroseconds() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<long long>(
        std::chrono::duration_cast<std::chrono::microseconds>(now).count());
}

}  // namespace

void traceTicks(FrmTilebash& window) {
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

}  // namespace tilebash
