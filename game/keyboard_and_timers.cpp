// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

// The arrow keys, Escape, the once-a-second status and the fixed window size.
#include "common/numeric.h"
#include "game/frm_tilebash.h"
#include "ui/key_codes.h"

namespace tilebash {

namespace {

constexpr int kPaddleSpeedStep = 40;

}  // namespace

// An arrow key changes the paddle's speed, not its place; the speed holds
// until another key, a side of the playfield or a new ball changes it.
// Outside a game nothing bounds the speed, so it stops at the 16-bit limits.
// The modifier state is deliberately ignored: Shift+Right acts as Right.
void FrmTilebash::pixBackground_KeyDown(std::int16_t KeyCode, std::int16_t /*Shift*/) {
    switch (KeyCode) {
        case ui::kKeyRight:
            intPaddleSpeed = saturatingAdd(intPaddleSpeed, kPaddleSpeedStep);
            break;
        case ui::kKeyLeft:
            intPaddleSpeed = saturatingAdd(intPaddleSpeed, -kPaddleSpeedStep);
            break;
        case ui::kKeyEscape:
            // A running frame timer is what "a game is running" means.
            if (tmrFrameSpeed.enabled()) {
                subEndGame("Game Over!");
            }
            break;
        default:
            break;
    }
}

void FrmTilebash::tmrTime_Timer() {
    // Stops at the 16-bit limit after nine hours of one game.
    intGameTime = saturatingAdd(intGameTime, 1);
    lblTime.setCaption("Time: " + decimalText(intGameTime));
    lblFPS.setCaption("FPS: " + decimalText(intFrameCount));
    intFrameCount = 0;
}

// Puts back the size measured at start-up; the position is left alone.
void FrmTilebash::tmrPreventReSize_Timer() {
    setOuterHeight(intFormHeight);
    setOuterWidth(intFormWidth);
}

}  // namespace tilebash
