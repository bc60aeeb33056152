// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

// One frame of play, every 50 ms: move, bounce, break bricks, keep the paddle
// inside, draw, show.
#include <array>

#include "common/numeric.h"
#include "game/frm_tilebash.h"
#include "game/int16_math.h"

namespace tilebash {

namespace {

// Horizontal speed change by the fifth of the paddle the ball lands on,
// left to right.
constexpr std::array<int, 5> kZoneSpeedChange = {-35, -17, 0, 17, 35};
constexpr int kZones = static_cast<int>(kZoneSpeedChange.size());
constexpr std::int16_t kMaxBallSpeedX = 250;
constexpr std::int16_t kMaxPaddleSpeed = 320;
constexpr std::int32_t kPaddleContactScore = 1;
constexpr std::int32_t kBrickScore = 100;

// The zone (0..4) of a ball whose left edge is `offset` twips from the
// paddle's left edge. Whole numbers only: 5 * offset < k * width is the
// same as offset < k * width / 5 without the fraction. A ball overhanging
// the left end is in the first zone, and a boundary belongs to the zone on
// its right.
std::size_t paddleZone(int offset, int paddleWidth) {
    int zone = 0;
    while (zone < kZones - 1 && !(kZones * offset < (zone + 1) * paddleWidth)) {
        ++zone;
    }
    return static_cast<std::size_t>(zone);
}

}  // namespace

void FrmTilebash::tmrFrameSpeed_Timer() {
    intFrameCount = saturatingAdd(intFrameCount, 1);

    // The paddle is tested where its speed takes it; it is kept inside below.
    intBallX = add16(intBallX, intBallSpeedX);
    intBallY = add16(intBallY, intBallSpeedY);
    intPaddleX = add16(intPaddleX, intPaddleSpeed);

    bounceBall();
    hitBricks();
    boundPaddle();

    shpPaddle.setLeft(intPaddleX);
    shpBall.setLeft(intBallX);
    shpBall.setTop(intBallY);

    // An unchanged caption is no change to the label.
    lblScore.setCaption(decimalText(intScore));
    lblLives.setCaption(decimalText(bytLives));
    lblLevelStatus.setCaption("Level: " + decimalText(bytLevel));
    // Nothing, when this tick ended the game.
    describeGame();
}

// Only the first case that holds is acted on; the ball is never pushed back
// inside, its reversed speed brings it back.
void FrmTilebash::bounceBall() {
    if (intBallX > intFieldWidth - intBallSize && intBallSpeedX > 0) {
        intBallSpeedX = negate16(intBallSpeedX);
    } else if (intBallX <= 0 && intBallSpeedX < 0) {
        intBallSpeedX = negate16(intBallSpeedX);
    } else if (intBallX > intPaddleX - intBallSize && intBallX < intPaddleX + intPaddleWidth &&
               intBallY > intPaddleY - intBallSize) {
        // Tested before the lost ball: a paddle still under the ball saves it.
        std::size_t zone = paddleZone(intBallX - intPaddleX, intPaddleWidth);
        intBallSpeedX = add16(intBallSpeedX, kZoneSpeedChange[zone]);
        if (intBallSpeedX >= kMaxBallSpeedX) {
            intBallSpeedX = kMaxBallSpeedX;
        } else if (intBallSpeedX <= -kMaxBallSpeedX) {
            intBallSpeedX = -kMaxBallSpeedX;
        }
        // A ball already rising keeps rising.
        if (intBallSpeedY > 0) {
            intBallSpeedY = negate16(intBallSpeedY);
        }
        intScore = saturatingAdd(intScore, kPaddleContactScore);
    } else if (intBallY > intFieldHeight - intBallSize) {
        bytLives = static_cast<std::uint8_t>(bytLives - 1);
        serveBall();
        if (bytLives == 0) {
            subEndGame("Game over!");
        }
    } else if (intBallY < 0 && intBallSpeedY < 0) {
        intBallSpeedY = negate16(intBallSpeedY);
    }
}

// Every brick is tested, also after a hit: two bricks hit at once flip the
// ball twice.
void FrmTilebash::hitBricks() {
    for (ui::Shape& brick : shpBrick) {
        if (brick.visible() && touches(brick)) {
            intBallSpeedY = negate16(intBallSpeedY);
            brick.setVisible(false);
            bytBricksHit = static_cast<std::uint8_t>(bytBricksHit + 1);
            intScore = saturatingAdd(intScore, kBrickScore);
            if (bytBricksHit == kBrickCount) {
                // The scan goes on with the next index, against the new
                // level's bricks and the ball served at the centre.
                subNextLevel();
            }
        }
    }
}

// The edges count: a brick is touched when its Top lies within
// intBallY - intBrickHeight .. intBallY + intBallSize, and its Left likewise.
// The positions are whole twips, so moving the sizes to the ball's side is
// exact.
bool FrmTilebash::touches(const ui::Shape& brick) const {
    return brick.top() >= intBallY - intBrickHeight && brick.top() <= intBallY + intBallSize &&
           brick.left() >= intBallX - intBrickWidth && brick.left() <= intBallX + intBallSize;
}

void FrmTilebash::boundPaddle() {
    // Bounded only after the move, so a speed raised beyond it between two
    // ticks is used once in full.
    if (intPaddleSpeed > kMaxPaddleSpeed) {
        intPaddleSpeed = kMaxPaddleSpeed;
    } else if (intPaddleSpeed < -kMaxPaddleSpeed) {
        intPaddleSpeed = -kMaxPaddleSpeed;
    }

    // The left stop is 1, not 0.
    if (intPaddleX > intFieldWidth - intPaddleWidth) {
        intPaddleSpeed = 0;
        intPaddleX = add16(intFieldWidth, -intPaddleWidth);
    } else if (intPaddleX < 0) {
        intPaddleSpeed = 0;
        intPaddleX = 1;
    }
}

}  // namespace tilebash
