// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

// The life of a game: "New Game" sets everything up, the 35th brick of a
// level brings the next one, and every end of a game goes through subEndGame.
#include "common/level_file.h"
#include "common/numeric.h"
#include "game/frm_tilebash.h"
#include "game/int16_math.h"

namespace tilebash {

namespace {

constexpr std::uint8_t kStartLives = 3;
constexpr std::int32_t kLevelBonus = 1000;

}  // namespace

void FrmTilebash::cmdNewGame_Click() {
    subMenu(false);
    subInitalize();
    // The game only starts moving once it is completely set up.
    tmrFrameSpeed.setEnabled(true);
    tmrTime.setEnabled(true);
    describeGame();
}

void FrmTilebash::subInitalize() {
    // Measured afresh for every game; the serve centres the paddle by its
    // width.
    intBallSize = toInt16(shpBall.height());
    intPaddleWidth = toInt16(shpPaddle.width());
    intPaddleHeight = toInt16(shpPaddle.height());
    serveBall();
    shpBall.setFillColor(ui::Color::ofPalette(bytBallColor));

    // The paddle stands on the bottom edge of the playfield.
    intPaddleY = add16(intFieldHeight, -intPaddleHeight);
    shpPaddle.setTop(intPaddleY);
    shpPaddle.setFillColor(ui::Color::ofPalette(bytPaddleColor));

    // Brick 0 stands for all bricks: they share one size.
    intBrickHeight = toInt16(shpBrick[0].height());
    intBrickWidth = toInt16(shpBrick[0].width());
    bytBricksHit = 0;
    for (ui::Shape& brick : shpBrick) {
        brick.setFillColor(ui::Color::ofPalette(bytBrickColor));
    }
    ui::setVisible(playObjects(), true);
    ui::setVisible(statusLabels(), true);

    intScore = 1;
    bytLives = kStartLives;
    intGameTime = 0;

    // The view draws only once the handler has returned, so the bricks shown
    // above are first seen at the level's places.
    subLoadLevel();
    placeBricks(shpBrick, intBrickX, intBrickY);

    // Any other difficulty (only a hand-edited file has one) keeps the
    // caption the label already has; the label shows either way.
    switch (bytDifficulty) {
        case kEasy:
            lblDif.setCaption("Dif: Easy");
            break;
        case kMedium:
            lblDif.setCaption("Dif: Medium");
            break;
        case kHard:
            lblDif.setCaption("Dif: Hard");
            break;
        default:
            break;
    }
}

// Read afresh every time, so that a level saved in the editor meanwhile is
// the one played.
void FrmTilebash::subLoadLevel() {
    const Level level = readLevelFile(levelFileName(bytLevel));
    intBrickX = level.brickX;
    intBrickY = level.brickY;
}

// Called from the frame tick at the 35th hit. The tick goes on afterwards
// with the remaining bricks against this new layout and the re-served ball.
void FrmTilebash::subNextLevel() {
    bytLevel = static_cast<std::uint8_t>(bytLevel + 1);
    intScore = saturatingAdd(intScore, kLevelBonus);
    if (bytLevel <= kLevelCount) {
        subLoadLevel();
        placeBricks(shpBrick, intBrickX, intBrickY);
        serveBall();
        bytBricksHit = 0;
        for (ui::Shape& brick : shpBrick) {
            brick.setVisible(true);
        }
    } else {
        subEndGame("Congratulations! You finished the game!");
    }
}

// Every ball, whether a game or a level begins or a life was lost: from the
// centre, straight down at the difficulty's speed, towards the centred paddle
// at rest.
void FrmTilebash::serveBall() {
    intBallSpeedX = 0;
    intBallSpeedY = bytDifficulty;
    intBallY = half16(intFieldHeight);
    intBallX = half16(intFieldWidth);
    intPaddleSpeed = 0;
    intPaddleX = centred16(intFieldWidth, intPaddleWidth);
}

void FrmTilebash::subEndGame(const std::string& strEndingGame) {
    tmrFrameSpeed.setEnabled(false);
    tmrTime.setEnabled(false);

    // The label has sized itself to the new text, so this centres any text.
    lblGameOver.setCaption(strEndingGame);
    lblGameOver.setLeft(intFieldWidth / 2.0 - lblGameOver.width() / 2.0);
    ui::setVisible(gameOverPanel(), true);

    // The score is 32-bit and stops at its limit: a whole game from level 1
    // with lives left easily passes what 16 bits hold.
    intScore = saturatingMultiply(intScore, bytLives + 1);
    bytLevel = 1;

    ui::setVisible(playObjects(), false);
    ui::setVisible(statusLabels(), false);
    describeGame();
}

// What the playfield holds, for a screen reader: the figures of the status
// labels while a game runs, nothing once it has ended. A running frame timer
// is what "a game is running" means.
void FrmTilebash::describeGame() {
    if (!tmrFrameSpeed.enabled()) {
        pixBackground.setAccessibleDescription("");
        return;
    }
    // Written at every tick: built in one piece, it costs the tick little.
    std::string text;
    text.reserve(48);
    text.append("Level ").append(decimalText(bytLevel));
    text.append(", lives ").append(decimalText(bytLives));
    text.append(", score ").append(decimalText(intScore));
    pixBackground.setAccessibleDescription(text);
}

}  // namespace tilebash
