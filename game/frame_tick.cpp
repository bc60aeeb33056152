// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

// One frame of play, every 50 ms: move, bounce, break bricks, draw, show.
#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>

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

// Sets the caption to `prefix` and the decimal text of `value`, building the
// text on the stack and comparing it first, so that an unchanged label costs
// no string.
void writeNumber(ui::Label& label, std::string_view prefix, long long value,
                 FrmTilebash::ShownNumber& shown) {
    std::array<char, 32> text;
    char* end = std::copy(prefix.begin(), prefix.end(), text.begin());
    end = std::to_chars(end, text.data() + text.size(), value).ptr;
    const std::string_view caption(text.data(), static_cast<std::size_t>(end - text.data()));
    if (label.caption() != caption) {
        label.setCaption(std::string(caption));
    }
    shown = {label.revision(), value};
}

// The status rarely changes from one tick to the next: while the label is
// still at the revision the last write left it at and the value is the same,
// the caption is known to be right and nothing needs formatting.
inline void showNumber(ui::Label& label, std::string_view prefix, long long value,
                       FrmTilebash::ShownNumber& shown) {
    if (label.revision() != shown.revision || value != shown.value) {
        writeNumber(label, prefix, value, shown);
    }
}

}  // namespace

void FrmTilebash::tmrFrameSpeed_Timer() {
    intFrameCount = saturatingAdd(intFrameCount, 1);

    // The paddle is tested where its speed takes it; it is kept inside below.
    intBallX = add16(intBallX, intBallSpeedX);
    intBallY = add16(intBallY, intBallSpeedY);
    intPaddleX = add16(intPaddleX, intPaddleSpeed);

    // Only the first case that holds is acted on; the ball is never pushed
    // back inside, its reversed speed brings it back.
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

    // Every brick is tested, also after a hit: two bricks hit at once flip
    // the ball twice. The edges count as a hit. A brick is hit when its Top
    // is within the ball's reach of intBallY - intBrickHeight ..
    // intBallY + intBallSize, and its Left likewise; the positions are whole
    // twips, so moving the sizes to the ball's side is exact. The reach is
    // worked out again after a level change, which serves a new ball.
    auto reach = [this](double& low, double& high, std::int16_t ball, std::int16_t brickExtent) {
        low = static_cast<double>(ball) - brickExtent;
        high = static_cast<double>(ball) + intBallSize;
    };
    double lowestTop = 0, highestTop = 0, lowestLeft = 0, highestLeft = 0;
    reach(lowestTop, highestTop, intBallY, intBrickHeight);
    reach(lowestLeft, highestLeft, intBallX, intBrickWidth);
    for (std::size_t i = 0; i < shpBrick.size(); ++i) {
        const ui::Shape& brick = shpBrick[i];
        const double left = brick.left();
        const double top = brick.top();
        const bool touches =
            (lowestTop <= top) & (top <= highestTop) & (lowestLeft <= left) & (left <= highestLeft);
        if (touches && brick.visible()) {
            intBallSpeedY = negate16(intBallSpeedY);
            shpBrick[i].setVisible(false);
            bytBricksHit = static_cast<std::uint8_t>(bytBricksHit + 1);
            intScore = saturatingAdd(intScore, kBrickScore);
            if (bytBricksHit == kBrickCount) {
                // The scan goes on with the next index, against the new
                // level's bricks and the ball served at the centre.
                subNextLevel();
                reach(lowestTop, highestTop, intBallY, intBrickHeight);
                reach(lowestLeft, highestLeft, intBallX, intBrickWidth);
            }
        }
    }

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

    shpPaddle.setLeft(intPaddleX);
    shpBall.setLeft(intBallX);
    shpBall.setTop(intBallY);

    showNumber(lblScore, {}, intScore, shownScore_);
    showNumber(lblLives, {}, bytLives, shownLives_);
    showNumber(lblLevelStatus, "Level: ", bytLevel, shownLevel_);
}

}  // namespace tilebash
