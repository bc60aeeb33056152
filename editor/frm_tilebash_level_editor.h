// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstdint>

#include "playfield/bricks.h"
#include "playfield/playfield_window.h"
#include "ui/control_group.h"
#include "ui/controls.h"
#include "ui/host.h"

namespace tilebash {

// The level editor: a prompt that asks which level to edit, then the level's
// 35 bricks on a playfield the size of the game's, dragged with the mouse and
// saved back into the level file that the game reads.
class FrmTilebashLevelEditor : public PlayfieldWindow {
  public:
    explicit FrmTilebashLevelEditor(ui::Host& host);

    // The playfield, with the same inner area as the game's, so that a brick
    // stands at the same place in both programs.
    ui::Surface pixBackground;

    // The level prompt, inside the playfield.
    ui::Label lblWhichLevel;
    ui::TextBox txtLevel;
    ui::CommandButton cmdOK;

    // The editing screen's buttons, in a column left of the playfield.
    ui::CommandButton cmdReset;
    ui::CommandButton cmdChageLevel;
    ui::CommandButton cmdSave;
    ui::CommandButton cmdQuit;

    std::array<ui::Shape, kBrickCount> shpBrick;

    // The level being edited, 1..5 once an entry has been accepted.
    std::uint8_t bytLevel = 0;
    // Brick positions as last read from or written to the level file.
    BrickCoordinates intBrickX{};
    BrickCoordinates intBrickY{};
    // Pointer position minus the grabbed brick's Left and Top at the press.
    std::int32_t lngDragOffsetX = 0;
    std::int32_t lngDragOffsetY = 0;

    // The level prompt.
    void cmdOK_Click();
    void cmdChageLevel_Click();

    // Dragging bricks. The button and shift state are not used: every button
    // drags alike.
    void pixBackground_MouseDown(std::int16_t button, std::int16_t shift, double x, double y);
    void pixBackground_MouseMove(std::int16_t button, std::int16_t shift, double x, double y);
    void pixBackground_MouseUp(std::int16_t button, std::int16_t shift, double x, double y);

    // The level as a whole.
    void cmdSave_Click();
    void cmdReset_Click();
    void cmdQuit_Click();

    // Read and write the level file of `bytLevel` through the arrays. The
    // names are historical: they handle the level file, not any options.
    void subReadOptions();
    void subSaveOptions();

  private:
    // The two screens' controls, in the order they are shown and hidden; the
    // editing screen also shows the bricks, first.
    auto levelPrompt() { return ui::controlGroup(lblWhichLevel, txtLevel, cmdOK); }
    auto bricks() { return ui::controlGroup(shpBrick); }
    auto editingButtons() { return ui::controlGroup(cmdSave, cmdReset, cmdChageLevel, cmdQuit); }
};

}  // namespace tilebash
