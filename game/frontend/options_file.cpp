// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

// The table, colours and difficulty to and from options.wkp.
#include <utility>

#include "common/options_file.h"
#include "game/frm_tilebash.h"

namespace tilebash {

// A bad file changes nothing here: it raises its error before any value is
// taken over.
void FrmTilebash::subReadOptions() {
    Options options = readOptionsFile(kOptionsFileName);
    intHighScore = options.highScores;
    strHighScoreName = std::move(options.highScoreNames);
    bytBallColor = options.ballColor;
    bytPaddleColor = options.paddleColor;
    bytBrickColor = options.brickColor;
    bytDifficulty = options.difficulty;
}

// The name box refuses the double quote, so every name reads back as typed.
void FrmTilebash::subSaveOptions() {
    writeOptionsFile(kOptionsFileName, {.highScores = intHighScore,
                                        .highScoreNames = strHighScoreName,
                                        .ballColor = bytBallColor,
                                        .paddleColor = bytPaddleColor,
                                        .brickColor = bytBrickColor,
                                        .difficulty = bytDifficulty});
}

}  // namespace tilebash
