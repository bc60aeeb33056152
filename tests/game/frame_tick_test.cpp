// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

// One frame: walls, paddle, lost ball, ceiling, bricks, paddle bounds, status.
#include "common/level_file.h"
#include "game_fixture.h"

namespace tilebash::testing {
namespace {

// A running game on the 7120 x 6075 playfield with no brick in reach; the
// paddle rests at 2848..4273 with its top at 5865.
class FrameTick : public GameTest {
  protected:
    FrameTick() {
        newGame();
        clearBricks();
    }
    // Places the ball before the tick moves it by its speed.
    void ballAt(int x, int y, int speedX, int speedY) {
        window.intBallX = static_cast<std::int16_t>(x);
        window.intBallY = static_cast<std::int16_t>(y);
        window.intBallSpeedX = static_cast<std::int16_t>(speedX);
        window.intBallSpeedY = static_cast<std::int16_t>(speedY);
    }
};

TEST_F(FrameTick, OnlyTheFirstOfWallPaddleLostBallAndCeilingIsActedOn) {
    const struct {
        const char* what;
        int x, y, speedX, speedY, paddleX;
        int newSpeedX, newSpeedY, score, lives;
        int paddleSpeed = 0;
    } cases[] = {
        // The walls are at intFieldWidth - intBallSize = 6917 and the lost
        // ball's line at intFieldHeight - intBallSize = 5872.
        {"right wall, paddle not tested", 6900, 5800, 20, 150, 5695, -20, 150, 1, 3},
        {"right wall needs beyond its line", 6897, 1000, 20, 150, 2848, 20, 150, 1, 3},
        {"right wall one twip beyond", 6898, 1000, 20, 150, 2848, -20, 150, 1, 3},
        {"left wall at exactly 0", 20, 1000, -20, 150, 2848, 20, 150, 1, 3},
        {"beyond the wall, moving away", -30, 1000, 20, 150, 2848, 20, 150, 1, 3},
        {"ceiling needs below 0", 1000, 150, 0, -150, 2848, 0, -150, 1, 3},
        {"ceiling", 1000, 100, 0, -150, 2848, 0, 150, 1, 3},
        {"paddle saves a ball below the limit", 3560, 5900, 0, 150, 2848, 0, -150, 2, 3},
        {"a rising ball keeps rising", 2848, 5900, 0, -10, 2848, -35, -10, 2, 3},
        {"lost ball needs below its line", 500, 5722, 30, 150, 2848, 30, 150, 1, 3},
        {"a ball on that line saved by the paddle arriving", 2000, 5872, 0, 150, 1000, 0, -150, 2,
         3, 320},
        {"lost ball one twip below", 500, 5723, 30, 150, 2848, 0, 150, 1, 2},
        {"lost ball, served again", 500, 5900, 30, 150, 2848, 0, 150, 1, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        window.intScore = 1;
        window.bytLives = 3;
        window.intPaddleX = static_cast<std::int16_t>(c.paddleX);
        window.intPaddleSpeed = static_cast<std::int16_t>(c.paddleSpeed);
        ballAt(c.x, c.y, c.speedX, c.speedY);
        window.tmrFrameSpeed_Timer();
        EXPECT_EQ(window.intBallSpeedX, c.newSpeedX);
        EXPECT_EQ(window.intBallSpeedY, c.newSpeedY);
        EXPECT_EQ(window.intScore, c.score);
        EXPECT_EQ(window.bytLives, c.lives);
    }
    EXPECT_EQ(window.shpBall.left(), 3560);  // the last ball was served at the centre
    EXPECT_EQ(window.shpBall.top(), 3038);
    EXPECT_EQ(window.shpPaddle.left(), 2848);
    EXPECT_EQ(window.lblLives.caption(), "2");
}

TEST_F(FrameTick, ThePaddleFifthsSteerTheBallWithinTheBounds) {
    const struct {
        int offset, speedX, newSpeedX;
    } cases[] = {
        {-203, 0, 0},  {-202, 0, -35}, {284, 0, -35},   {285, 0, -17},   {569, 0, -17},
        {570, 0, 0},   {854, 0, 0},    {855, 0, 17},    {1139, 0, 17},   {1140, 0, 35},
        {1424, 0, 35}, {1425, 0, 0},   {855, 240, 250}, {0, -240, -250},
    };
    for (const auto& c : cases) {
        window.intPaddleX = 2848;
        ballAt(2848 + c.offset - c.speedX, 5600, c.speedX, 150);
        window.tmrFrameSpeed_Timer();
        EXPECT_EQ(window.intBallSpeedX, c.newSpeedX) << c.offset << " at speed " << c.speedX;
    }
}

TEST_F(FrameTick, ThePaddleSpeedIsBoundedAfterTheMoveAndTheSidesStopIt) {
    const struct {
        int x, speed, newX, newSpeed;
    } cases[] = {
        {1000, 360, 1360, 320}, {1000, -360, 640, -320}, {10, -40, 1, 0}, {5690, 40, 5695, 0}};
    for (const auto& c : cases) {
        window.intPaddleX = static_cast<std::int16_t>(c.x);
        window.intPaddleSpeed = static_cast<std::int16_t>(c.speed);
        ballAt(1000, 1000, 0, 0);
        window.tmrFrameSpeed_Timer();
        EXPECT_EQ(window.intPaddleX, c.newX);
        EXPECT_EQ(window.shpPaddle.left(), c.newX);
        EXPECT_EQ(window.intPaddleSpeed, c.newSpeed);
    }
}

TEST_F(FrameTick, ABallTouchingABrickEdgeHitsIt) {
    const struct {
        int x, y;
        bool hit;
    } cases[] = {{797, 1000, true}, {796, 1000, false}, {1735, 1000, true}, {1736, 1000, false},
                 {1000, 797, true}, {1000, 796, false}, {1000, 1135, true}, {1000, 1136, false}};
    for (const auto& c : cases) {
        window.shpBrick[0].move(1000, 1000);
        window.shpBrick[0].setVisible(true);
        window.intScore = 1;
        ballAt(c.x, c.y, 0, 0);
        window.tmrFrameSpeed_Timer();
        EXPECT_EQ(window.shpBrick[0].visible(), !c.hit) << c.x << ", " << c.y;
        EXPECT_EQ(window.intScore, c.hit ? 101 : 1);
    }
}

TEST_F(FrameTick, TwoBricksHitAtOnceBothGoAndTheBallKeepsItsDirection) {
    window.shpBrick[0].move(1000, 1000);
    window.shpBrick[1].move(1785, 1000);
    window.shpBrick[0].setVisible(true);
    window.shpBrick[1].setVisible(true);
    ballAt(1700, 990, 0, 10);
    window.tmrFrameSpeed_Timer();
    EXPECT_FALSE(window.shpBrick[0].visible() || window.shpBrick[1].visible());
    EXPECT_EQ(window.intBallSpeedY, 10);
    EXPECT_EQ(window.intScore, 201);
    EXPECT_EQ(window.bytBricksHit, 2);
}

// Level 2 puts bricks 5 and 20 on the serving place: after the 35th hit
// (brick 10) the scan goes on and hits brick 20, but never goes back to 5.
TEST_F(FrameTick, TheThirtyFifthHitChangesTheLevelInTheMiddleOfTheScan) {
    Level level;
    level.brickX[5] = level.brickX[20] = 3500;
    level.brickY[5] = level.brickY[20] = 3000;
    writeLevelFile(dir / "level2.wkl", level);
    window.shpBrick[10].setVisible(true);
    window.bytBricksHit = 34;
    window.intScore = 3401;
    ballAt(3200, 500, 0, 0);  // on brick 10 of level 1
    window.tmrFrameSpeed_Timer();
    EXPECT_EQ(window.bytLevel, 2);
    EXPECT_EQ(window.intScore, 3401 + 100 + 1000 + 100);
    EXPECT_EQ(window.bytBricksHit, 1);
    EXPECT_TRUE(window.shpBrick[5].visible());
    EXPECT_FALSE(window.shpBrick[20].visible());
    EXPECT_EQ(window.intBallSpeedY, -150);
    EXPECT_EQ(window.shpBall.left(), 3560);
    EXPECT_EQ(window.lblLevelStatus.caption(), "Level: 2");
    EXPECT_EQ(window.pixBackground.accessibleDescription(), "Level 2, lives 3, score 4601");
}

TEST_F(FrameTick, LosingTheLastBallEndsTheGameWithTheScoreUnmultiplied) {
    window.bytLives = 1;
    window.intScore = 57;
    ballAt(500, 5900, 0, 150);
    window.tmrFrameSpeed_Timer();
    EXPECT_EQ(window.lblGameOver.caption(), "Game over!");
    EXPECT_FALSE(window.tmrFrameSpeed.enabled());
    EXPECT_EQ(window.intScore, 57);
    EXPECT_FALSE(window.lblScore.visible());
    EXPECT_EQ(window.lblScore.caption(), "57");
    EXPECT_EQ(window.lblLives.caption(), "0");
    EXPECT_EQ(window.lblLevelStatus.caption(), "Level: 1");
    EXPECT_EQ(window.pixBackground.accessibleDescription(), "");  // the game has ended
}

TEST_F(FrameTick, APositionLeavingSixteenBitsIsAnOverflowError) {
    ballAt(32700, 1000, 100, 0);
    try {
        window.tmrFrameSpeed_Timer();
        FAIL() << "no error";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), 6);
        EXPECT_EQ(error.subject(), "32800");
    }
    ballAt(1000, -32768, 0, -1);
    EXPECT_EQ(errorNumber([&] { window.tmrFrameSpeed_Timer(); }), 6);
}

}  // namespace
}  // namespace tilebash::testing
