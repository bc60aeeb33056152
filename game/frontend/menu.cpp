// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

// Start-up, the main menu and Quit.
#include "common/numeric.h"
#include "game/frm_tilebash.h"

namespace tilebash {

void FrmTilebash::Form_Load() {
    intFormHeight = toInt16(outerHeight());
    intFormWidth = toInt16(outerWidth());
    // All later geometry comes from the measured playfield, never from the
    // figures the controls were created with.
    intFieldWidth = toInt16(pixBackground.scaleWidth());
    intFieldHeight = toInt16(pixBackground.scaleHeight());
    bytLevel = 1;
    // A missing or bad options file ends the program before any button shows.
    subReadOptions();
    subMenu(true);
}

void FrmTilebash::subMenu(bool blnShow) {
    ui::setVisible(menuScreen(), blnShow);
}

// The only place the options and the table are stored; closing the window
// from its frame loses them.
void FrmTilebash::cmdQuit_Click() {
    subSaveOptions();
    endProgram();
}

}  // namespace tilebash
