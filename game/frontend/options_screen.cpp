// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

// The options screen: colours, difficulty and the start level of the next
// game. Colours and the start level apply at once, the difficulty on OK.
#include "common/level_file.h"
#include "common/numeric.h"
#include "common/palette.h"
#include "game/frm_tilebash.h"

namespace tilebash {

namespace {

constexpr int kFirstLevel = 1;

// Steps through the fifteen colours, skipping 7: the light grey of the
// playfield, on which a ball or a paddle would vanish.
std::uint8_t nextColour(std::uint8_t index) {
    int next = index + 1;
    if (next > 15) {
        next = 0;
    } else if (next == 7) {
        next = 8;
    }
    return static_cast<std::uint8_t>(next);
}

// The swatch shows the colour, and tells a screen reader which it is.
void paintSwatch(ui::Label& swatch, const std::string& what, std::uint8_t index) {
    swatch.setBackColor(ui::Color::ofPalette(index));
    swatch.setAccessibleName(what + " colour: " + paletteColorName(index));
}

}  // namespace

void FrmTilebash::cmdOptions_Click() {
    subMenu(false);
    // Any difficulty but the two lower ones shows as Hard.
    optEasy.setValue(bytDifficulty == kEasy);
    optMedium.setValue(bytDifficulty == kMedium);
    optHard.setValue(bytDifficulty != kEasy && bytDifficulty != kMedium);
    // Runs vsbLevel_Change only if the value was not 1 already; either way
    // the screen opens on start level 1.
    vsbLevel.setValue(kFirstLevel);
    paintSwatch(lblBallColor, "Ball", bytBallColor);
    paintSwatch(lblPaddleColor, "Paddle", bytPaddleColor);
    paintSwatch(lblBrickColor, "Brick", bytBrickColor);
    ui::setVisible(optionsScreen(), true);
}

void FrmTilebash::lblBallColor_Click() {
    bytBallColor = nextColour(bytBallColor);
    paintSwatch(lblBallColor, "Ball", bytBallColor);
}

void FrmTilebash::lblPaddleColor_Click() {
    bytPaddleColor = nextColour(bytPaddleColor);
    paintSwatch(lblPaddleColor, "Paddle", bytPaddleColor);
}

void FrmTilebash::lblBrickColor_Click() {
    bytBrickColor = nextColour(bytBrickColor);
    paintSwatch(lblBrickColor, "Brick", bytBrickColor);
}

// Choosing a difficulty changes nothing until OK.
void FrmTilebash::optEasy_Click() {
    optEasy.setValue(true);
}

void FrmTilebash::optMedium_Click() {
    optMedium.setValue(true);
}

void FrmTilebash::optHard_Click() {
    optHard.setValue(true);
}

// Setting the value again runs this handler once more, nested, so the label
// always ends on the value kept in 1..5.
void FrmTilebash::vsbLevel_Change() {
    lblLevel.setCaption(decimalText(vsbLevel.value()));
    if (vsbLevel.value() < kFirstLevel) {
        vsbLevel.setValue(kFirstLevel);
    } else if (vsbLevel.value() > kLevelCount) {
        vsbLevel.setValue(kLevelCount);
    }
    bytLevel = static_cast<std::uint8_t>(vsbLevel.value());
}

void FrmTilebash::cmdOKOptions_Click() {
    if (optEasy.value()) {
        bytDifficulty = kEasy;
    } else if (optMedium.value()) {
        bytDifficulty = kMedium;
    } else if (optHard.value()) {
        bytDifficulty = kHard;
    }
    ui::setVisible(optionsScreen(), false);
    subMenu(true);
}

}  // namespace tilebash
