// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

// The credits screen: it shows and hides its labels and changes nothing else.
#include "game/frm_tilebash.h"

namespace tilebash {

void FrmTilebash::cmdCredits_Click() {
    subMenu(false);
    ui::setVisible(creditsScreen(), true);
}

void FrmTilebash::cmdOKCredits_Click() {
    ui::setVisible(creditsScreen(), false);
    subMenu(true);
}

}  // namespace tilebash
