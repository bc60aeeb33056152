// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/frm_tilebash_level_editor.h"

#include <string>

namespace tilebash {

namespace {

constexpr double kButtonWidth = 1335;
constexpr double kButtonHeight = 255;

}  // namespace

FrmTilebashLevelEditor::FrmTilebashLevelEditor(ui::Host& host) : ui::Window(host) {
    setCaption("Tilebash Level Editor");
    setProgramTitle("Tilebash Level Editor 1.0");
    setClientSize(8655, 6315);

    // Registration order is the focus order. The playfield comes first so that
    // it has the focus at start; the user clicks into the text box or presses
    // Tab before typing.
    add(pixBackground, "pixBackground");
    pixBackground.setGeometry(1440, 120, kPlayfieldWidth, kPlayfieldHeight);
    pixBackground.setAccessibleName("Playfield");

    add(lblWhichLevel, "lblWhichLevel", &pixBackground);
    lblWhichLevel.setGeometry(2280, 2520, 2685, 195);
    lblWhichLevel.setCaption("Which level do you want to edit (1-5)?");
    lblWhichLevel.setAutoSize(true);

    add(txtLevel, "txtLevel", &pixBackground);
    txtLevel.setGeometry(3120, 2760, 735, 285);
    lblWhichLevel.setBuddy(txtLevel);

    add(cmdOK, "cmdOK", &pixBackground);
    cmdOK.setGeometry(2760, 3240, 1455, 375);
    cmdOK.setCaption("OK");

    struct ButtonPlace {
        ui::CommandButton& button;
        const char* name;
        double top;
        const char* caption;
    };
    for (const ButtonPlace& place :
         {ButtonPlace{cmdReset, "cmdReset", 1080, "Reset"},
          ButtonPlace{cmdChageLevel, "cmdChageLevel", 360, "Change Level"},
          ButtonPlace{cmdSave, "cmdSave", 720, "Save"},
          ButtonPlace{cmdQuit, "cmdQuit", 1440, "Quit"}}) {
        add(place.button, place.name);
        place.button.setGeometry(0, place.top, kButtonWidth, kButtonHeight);
        place.button.setCaption(place.caption);
        place.button.setVisible(false);
    }

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
