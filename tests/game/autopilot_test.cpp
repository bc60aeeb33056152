// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

// A whole game through the five shipped levels, played by a simple
// autopilot with the arrow keys. A game is a pure function of its files and
// its events, so the end state is exact: a change to it is a change to the
// rules (or to the shipped levels).
#include <algorithm>

#include "game_fixture.h"

namespace tilebash::testing {
namespace {

using Autopilot = GameTest;

TEST_F(Autopilot, AWholeGameFromLevelOneEndsWonWithAScoreBeyondSixteenBits) {
    newGame();
    int ticks = 0;
    while (window.tmrFrameSpeed.enabled() && ticks < 100000) {
        // Aim the paddle a little beside the ball, changing sides now and
        // then, so that the ball is steered across the whole playfield.
        const int aside = 300 * ((ticks / 5000) % 3 - 1);
        const int target = window.intBallX + window.intBallSize / 2 - window.intPaddleWidth / 2;
        const int wanted = std::clamp((target + aside - window.intPaddleX) / 2, -320, 320);
        while (window.intPaddleSpeed < wanted - 20) {
            window.pixBackground_KeyDown(ui::kKeyRight, 0);
        }
        while (window.intPaddleSpeed > wanted + 20) {
            window.pixBackground_KeyDown(ui::kKeyLeft, 0);
        }
        window.tmrFrameSpeed_Timer();
        if (++ticks % 20 == 0) {
            window.tmrTime_Timer();
        }
    }
    EXPECT_EQ(window.lblGameOver.caption(), "Congratulations! You finished the game!");
    EXPECT_EQ(ticks, 12133);
    EXPECT_EQ(window.bytLives, 3);
    EXPECT_EQ(window.intScore, 90684);
    EXPECT_EQ(window.bytLevel, 1);
}

}  // namespace
}  // namespace tilebash::testing
