// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

// Arrow keys, Escape and the once-a-second status.
#include "game_fixture.h"

namespace tilebash::testing {
namespace {

using Keys = GameTest;

TEST_F(Keys, ArrowsChangeThePaddleSpeedWhateverTheModifiersAndOtherKeysDoNothing) {
    newGame();
    for (std::int16_t shift : {ui::kShiftMask, ui::kCtrlMask, ui::kAltMask}) {
        window.pixBackground_KeyDown(ui::kKeyRight, shift);
    }
    // Up, Down, Space, A
    for (std::int16_t key : std::initializer_list<std::int16_t>{38, 40, 32, 65}) {
        window.pixBackground_KeyDown(key, 0);
    }
    EXPECT_EQ(window.intPaddleSpeed, 120);
    for (int i = 0; i < 3; ++i) {
        window.pixBackground_KeyDown(ui::kKeyLeft, 0);
    }
    EXPECT_EQ(window.intPaddleSpeed, 0);
    EXPECT_TRUE(window.tmrFrameSpeed.enabled());
}

TEST_F(Keys, OutsideAGameEscapeDoesNothingAndTheSpeedStopsAtItsLimit) {
    start();
    window.pixBackground_KeyDown(ui::kKeyEscape, 0);
    EXPECT_EQ(visible(), kMenu);
    window.intPaddleSpeed = 32760;
    window.pixBackground_KeyDown(ui::kKeyRight, 0);
    EXPECT_EQ(window.intPaddleSpeed, 32767);
    window.intPaddleSpeed = -32760;
    window.pixBackground_KeyDown(ui::kKeyLeft, 0);
    EXPECT_EQ(window.intPaddleSpeed, -32768);
    window.cmdNewGame_Click();
    EXPECT_EQ(window.intPaddleSpeed, 0);
}

// The frame count is not cleared by a new game: the first figure of a game
// includes the ticks the previous one ran after its last update.
TEST_F(Keys, EverySecondShowsTimeAndTicksAndTheTimeStopsAtItsLimit) {
    newGame();
    window.tmrFrameSpeed_Timer();
    window.tmrFrameSpeed_Timer();
    window.pixBackground_KeyDown(ui::kKeyEscape, 0);
    window.cmdOKGameOver_Click();
    window.cmdNewGame_Click();
    for (int i = 0; i < 20; ++i) {
        window.tmrFrameSpeed_Timer();
    }
    window.tmrTime_Timer();
    EXPECT_EQ(window.lblTime.caption(), "Time: 1");
    EXPECT_EQ(window.lblFPS.caption(), "FPS: 22");
    EXPECT_EQ(window.intFrameCount, 0);
    window.subNextLevel();
    window.tmrTime_Timer();
    EXPECT_EQ(window.lblTime.caption(), "Time: 2") << "runs on through a level change";
    window.intGameTime = 32767;
    window.tmrTime_Timer();
    EXPECT_EQ(window.lblTime.caption(), "Time: 32767");
}

}  // namespace
}  // namespace tilebash::testing
