// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/frm_tilebash_level_editor.h"

#include <string>

namespace tilebash {

namespace {

constexpr double kButtonWidth = 1335;
constexpr double kButtonHeight = 255;

}  // namespace

FrmTilebashLevelEditor::FrmTilebashLevelEditor(ui::Host& host) : PlayfieldWindow(host) {
    setCaption("Tilebash Level Editor");
    setProgramTitle("Tilebash Level Editor 1.0");
    setClientSize(8655, 6315);

    // Registration order is the focus order. The playfield comes first so that
    // it has the focus at start; the user clicks into the text box or presses
    // Tab before typing.
    add(pixBackground, "pixBackground");
    pixBackground.setGeometry(1440, 120, kPlayfieldWidth, kPlayfieldHeight);
    pixBackground.setAccessibleName("Playfield");

    addCaptioned(lblWhichLevel, "lblWhichLevel", {2280, 2520, 2685, 195},
                 "Which level do you want to edit (1-5)?", &pixBackground);
    lblWhichLevel.setAutoSize(true);

    add(txtLevel, "txtLevel", &pixBackground);
    txtLevel.setGeometry(3120, 2760, 735, 285);
    lblWhichLevel.setBuddy(txtLevel);

    addCaptioned(cmdOK, "cmdOK", {2760, 3240, 1455, 375}, "OK", &pixBackground);

    addCaptioned(cmdReset, "cmdReset", {0, 1080, kButtonWidth, kButtonHeight}, "Reset", nullptr);
    addCaptioned(cmdChageLevel, "cmdChageLevel", {0, 360, kButtonWidth, kButtonHeight},
                 "Change Level", nullptr);
    addCaptioned(cmdSave, "cmdSave", {0, 720, kButtonWidth, kButtonHeight}, "Save", nullptr);
    addCaptioned(cmdQuit, "cmdQuit", {0, 1440, kButtonWidth, kButtonHeight}, "Quit", nullptr);
    ui::setVisible(editingButtons(), false);

    // A later shape is drawn over an earlier one, so the bricks go in from the
    // highest index down: of two overlapping bricks the lower-numbered one is
    // on top, and it is the one that follows the pointer in a drag. Their
    // first places are the game's grid; every brick is placed from the level
    // file before it is first shown.
    for (std::size_t n = shpBrick.size(); n-- > 0;) {
        ui::Shape& brick = shpBrick[n];
        add(brick, indexed("shpBrick", n), &pixBackground);
        brick.setForm(ui::Shape::Form::RoundedRectangle);
        brick.setGeometry(gridLeft(n), gridTop(n), kBrickWidth, kBrickHeight);
        brick.setVisible(false);
    }

    cmdOK.onClick = [this] { cmdOK_Click(); };
    cmdChageLevel.onClick = [this] { cmdChageLevel_Click(); };
    cmdSave.onClick = [this] { cmdSave_Click(); };
    cmdReset.onClick = [this] { cmdReset_Click(); };
    cmdQuit.onClick = [this] { cmdQuit_Click(); };
    pixBackground.onMouseDown = [this](std::int16_t button, std::int16_t shift, double x,
                                       double y) { pixBackground_MouseDown(button, shift, x, y); };
    pixBackground.onMouseMove = [this](std::int16_t button, std::int16_t shift, double x,
                                       double y) { pixBackground_MouseMove(button, shift, x, y); };
    pixBackground.onMouseUp = [this](std::int16_t button, std::int16_t shift, double x, double y) {
        pixBackground_MouseUp(button, shift, x, y);
    };
}

}  // namespace tilebash
