// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

// After a game: the game-over OK, the insertion of the final score into the
// table, the name entry and the table screen.
#include "common/numeric.h"
#include "game/frm_tilebash.h"

namespace tilebash {

void FrmTilebash::cmdOKGameOver_Click() {
    ui::setVisible(gameOverPanel(), false);
    if (fncShortHighScore(intScore)) {
        subNewHighScoreName();
    } else {
        subMenu(true);
    }
}

// Inserts below every equal score, so among ties the earlier one stays
// higher; a score equal to the tenth does not enter. Only the scores move
// here: the names follow when the player has typed one.
bool FrmTilebash::fncShortHighScore(std::int32_t intHS) {
    if (intHS <= intHighScore[kHighScoreRows - 1]) {
        return false;
    }
    std::size_t row = 0;
    while (!(intHS > intHighScore[row])) {
        ++row;
    }
    std::int32_t remembered = intHighScore[row];
    intHighScore[row] = intHS;
    bytNewHighScorePos = static_cast<std::uint8_t>(row);
    for (std::size_t k = row; k + 1 < kHighScoreRows; ++k) {
        std::swap(remembered, intHighScore[k + 1]);
    }
    return true;
}

void FrmTilebash::subNewHighScoreName() {
    ui::setVisible(nameEntryPanel(), true);
    lblFinalScore.setCaption("You got a score of: " +
                             decimalText(intHighScore[bytNewHighScorePos]));
}

// The name is kept exactly as typed, empty or not.
void FrmTilebash::cmdOKNewHighScoreName_Click() {
    std::string name = txtNewHighScoreName.text();
    txtNewHighScoreName.setText("");
    const std::size_t row = bytNewHighScorePos;
    std::string remembered = std::move(strHighScoreName[row]);
    strHighScoreName[row] = std::move(name);
    for (std::size_t k = row; k + 1 < kHighScoreRows; ++k) {
        std::swap(remembered, strHighScoreName[k + 1]);
    }
    ui::setVisible(nameEntryPanel(), false);
    subShowHighScore(true);
}

// Hidden, the labels keep their captions until the next showing.
void FrmTilebash::subShowHighScore(bool blnShowHS) {
    if (blnShowHS) {
        for (std::size_t row = 0; row < kHighScoreRows; ++row) {
            lblHighScoreNr[row].setCaption(decimalText(intHighScore[row]));
            lblHighScoreNameNr[row].setCaption(strHighScoreName[row]);
        }
    }
    ui::setVisible(highScoreTable(), blnShowHS);
}

void FrmTilebash::cmdOKHighScore_Click() {
    subShowHighScore(false);
    subMenu(true);
}

void FrmTilebash::cmdHighScore_Click() {
    subMenu(false);
    subShowHighScore(true);
}

}  // namespace tilebash
