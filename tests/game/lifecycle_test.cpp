// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

// New game, change of level and end of game.
#include "common/level_file.h"
#include "common/palette.h"
#include "game_fixture.h"

namespace tilebash::testing {
namespace {

using Lifecycle = GameTest;

const std::set<std::string> kGameOverPanel = {"lblGameOver", "cmdOKGameOver"};

TEST_F(Lifecycle, ANewGameStartsFromTheWorkedStartValues) {
    newGame();
    const FrmTilebash& w = window;
    EXPECT_EQ(
        (std::array{w.intBallX, w.intBallY, w.intPaddleX, w.intPaddleY, w.intBallSize,
                    w.intPaddleWidth, w.intPaddleHeight, w.intBrickWidth, w.intBrickHeight,
                    w.intBallSpeedX, w.intBallSpeedY}),
        (std::array<std::int16_t, 11>{3560, 3038, 2848, 5865, 203, 1425, 210, 735, 135, 0, 150}));
    EXPECT_EQ(w.shpPaddle.top(), 5865);
    EXPECT_EQ(w.intScore, 1);
    EXPECT_EQ(w.bytLives, 3);
    EXPECT_TRUE(w.tmrFrameSpeed.enabled() && w.tmrTime.enabled());
    EXPECT_EQ(w.lblDif.caption(), "Dif: Medium");
    EXPECT_EQ(w.pixBackground.accessibleDescription(), "Level 1, lives 3, score 1");
    EXPECT_EQ(w.shpBall.fillColor(), ui::Color::of(paletteColor(12)));
    const Level level = readLevelFile(dir / "level1.wkl");
    for (std::size_t i = 0; i < kBrickCount; ++i) {
        EXPECT_TRUE(w.shpBrick[i].visible());
        EXPECT_EQ(w.shpBrick[i].left(), level.brickX[i]);
        EXPECT_EQ(w.shpBrick[i].top(), level.brickY[i]);
        EXPECT_EQ(w.shpBrick[i].fillColor(), ui::Color::of(paletteColor(3)));
    }
    // The play objects and every status label, and nothing else: a label
    // left out of the status group would stay hidden.
    std::set<std::string> playing = {"shpBall",      "shpPaddle", "lblDif",       "lblLevelStatus",
                                     "lblLivesText", "lblLives",  "lblScoreText", "lblScore",
                                     "lblTime",      "lblFPS"};
    for (std::size_t i = 0; i < kBrickCount; ++i) {
        playing.insert("shpBrick(" + std::to_string(i) + ")");
    }
    EXPECT_EQ(visible(), playing);
}

TEST_F(Lifecycle, TheDifficultyCaptionOnlyChangesForTheThreeKnownValues) {
    for (auto [difficulty, caption] :
         {std::pair{120, "Dif:"}, {100, "Dif: Easy"}, {200, "Dif: Hard"}, {120, "Dif: Hard"}}) {
        writeOptions(12, 1, 3, difficulty);
        start();
        window.cmdNewGame_Click();
        EXPECT_EQ(window.lblDif.caption(), caption);
        EXPECT_TRUE(window.lblDif.visible());
        EXPECT_EQ(window.intBallSpeedY, difficulty);
        window.subEndGame("Game Over!");
    }
}

TEST_F(Lifecycle, AColourAboveFifteenOrAMissingLevelFileIsFatalAtTheStart) {
    writeOptions(12, 16, 3, 150);
    EXPECT_EQ(errorNumber([&] { newGame(); }), 5);
    writeOptions(12, 1, 3, 150);
    std::filesystem::remove(dir / "level1.wkl");
    EXPECT_EQ(errorNumber([&] { newGame(); }), 53);
}

TEST_F(Lifecycle, EscapeWithThreeLivesScoresFourAndShowsOnlyTheCentredPanel) {
    newGame();
    window.pixBackground_KeyDown(ui::kKeyEscape, 0);
    EXPECT_EQ(window.intScore, 4);
    EXPECT_EQ(window.lblGameOver.caption(), "Game Over!");
    EXPECT_EQ(window.lblGameOver.left(), 3560 - window.lblGameOver.width() / 2);
    EXPECT_EQ(visible(), kGameOverPanel);
    EXPECT_FALSE(window.tmrFrameSpeed.enabled() || window.tmrTime.enabled());
    EXPECT_EQ(window.pixBackground.accessibleDescription(), "");  // no game to describe
    window.pixBackground_KeyDown(ui::kKeyEscape, 0);              // on the panel: nothing
    EXPECT_EQ(window.intScore, 4);
}

TEST_F(Lifecycle, EveryGameAfterTheFirstStartsAtLevelOneWithTheOldCaptions) {
    start();
    window.bytLevel = 3;
    window.cmdNewGame_Click();
    window.tmrFrameSpeed_Timer();
    window.tmrTime_Timer();
    window.subEndGame("Game Over!");
    EXPECT_EQ(window.bytLevel, 1);
    window.cmdOKGameOver_Click();
    std::filesystem::remove(dir / "level3.wkl");  // must not be needed
    window.cmdNewGame_Click();
    EXPECT_EQ(window.lblLevelStatus.caption(), "Level: 3");  // written by the last tick
    EXPECT_EQ(window.lblScore.caption(), "1");
    EXPECT_EQ(window.lblTime.caption(), "Time: 1");
    EXPECT_EQ(window.intGameTime, 0);
}

TEST_F(Lifecycle, FinishingLevelFiveAddsTheBonusThenMultiplies) {
    start();
    window.bytLevel = 5;
    window.cmdNewGame_Click();
    window.bytLives = 2;
    window.subNextLevel();
    EXPECT_EQ(window.intScore, (1 + 1000) * 3);
    EXPECT_EQ(window.lblGameOver.caption(), "Congratulations! You finished the game!");
    EXPECT_EQ(visible(), kGameOverPanel);
}

TEST_F(Lifecycle, TheScoreStopsAtTheThirtyTwoBitLimit) {
    newGame();
    window.intScore = 1'000'000'000;
    window.subEndGame("Game Over!");
    EXPECT_EQ(window.intScore, 2147483647);
    window.intScore = 2147483000;
    window.subNextLevel();
    EXPECT_EQ(window.intScore, 2147483647);
}

}  // namespace
}  // namespace tilebash::testing
