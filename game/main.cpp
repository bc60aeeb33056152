// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cstdlib>

#include "game/frm_tilebash.h"
#include "game/tick_trace.h"
#include "ui/qt/run_program.h"

int main(int argc, char** argv) {
    return tilebash::ui::qt::runProgram(
        argc, argv,
        {"tilebash", "Tilebash, a brick-breaking arcade game.", TILEBASH_DESKTOP_FILE_NAME},
        [](tilebash::ui::Host& host) {
            auto window = std::make_unique<tilebash::FrmTilebash>(host);
            // A measuring hook for bench/frame_clock, not a setting.
            if (std::getenv("TILEBASH_TRACE_TICKS") != nullptr) {
                tilebash::traceTicks(*window);
            }
            return window;
        });
}
