// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

// The credits screen: it shows and hides its labels and changes nothing else.
#include "game/frm_tilebash.h"

namespace tilebash {

std::array<ui::Control*, FrmTilebash::kCreditsScreenControls> FrmTilebash::creditsScreen() {
    return {&lblProgramedBy,
            &lblProgramedByName,
            &lblDesignedBy,
            &lblDesignedByName,
            &lblTestedBy,
            &lblTestedByName[0],
            &lblTestedByName[1],
            &lblTestedByName[2],
            &lblSpecialThanksTo,
            &lblSpecialThanksToName[0],
            &lblSpecialThanksToName[1],
            &lblSpecialThanksToName[2],
            &lblSpecialThanksToName[3],
            &cmdOKCredits};
}

void FrmTilebash::cmdCredits_Click() {
    subMenu(false);
    for (ui::Control* control : creditsScreen()) {
        control->setVisible(true);
    }
}

void FrmTilebash::cmdOKCredits_Click() {
    for (ui::Control* control : creditsScreen()) {
        control->setVisible(false);
    }
    subMenu(true);
}

}  // namespace tilebash
