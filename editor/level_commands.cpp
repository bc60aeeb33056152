// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

// Save, Reset and Quit, and the level file behind them.
#include "common/level_file.h"
#include "common/numeric.h"
#include "editor/frm_tilebash_level_editor.h"

namespace tilebash {

// Every position is converted before the file is touched: a brick dragged out
// of the 16-bit range fails the save with "Overflow" and the level file keeps
// its content. The bricks keep their unrounded places on the screen.
void FrmTilebashLevelEditor::cmdSave_Click() {
    BrickCoordinates x{};
    BrickCoordinates y{};
    for (std::size_t i = 0; i < shpBrick.size(); ++i) {
        x[i] = toInt16(shpBrick[i].left(), shpBrick[i].name() + ".Left");
        y[i] = toInt16(shpBrick[i].top(), shpBrick[i].name() + ".Top");
    }
    intBrickX = x;
    intBrickY = y;
    subSaveOptions();
}

// Back to the level as last saved, or as loaded if it has not been saved.
void FrmTilebashLevelEditor::cmdReset_Click() {
    subReadOptions();
    placeBricks(shpBrick, intBrickX, intBrickY);
}

// Unsaved moves are lost, as when the window is closed.
void FrmTilebashLevelEditor::cmdQuit_Click() {
    endProgram();
}

void FrmTilebashLevelEditor::subReadOptions() {
    const Level level = readLevelFile(levelFileName(bytLevel));
    intBrickX = level.brickX;
    intBrickY = level.brickY;
}

// The file is replaced atomically: the game, which may be loading this very
// level, never sees half a file, and a failed write leaves the old one whole.
void FrmTilebashLevelEditor::subSaveOptions() {
    writeLevelFile(levelFileName(bytLevel), {.brickX = intBrickX, .brickY = intBrickY});
}

}  // namespace tilebash
