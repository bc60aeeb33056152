// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

// The level prompt: which level to edit, and the way back to it.
#include "common/numeric.h"
#include "editor/frm_tilebash_level_editor.h"
#include "editor/level_number.h"

namespace tilebash {

void FrmTilebashLevelEditor::cmdOK_Click() {
    const std::int64_t number = wholeNumberOfEntry(txtLevel.text());
    // Emptied whether or not the entry is accepted, so a rejected entry is
    // typed afresh.
    txtLevel.setText("");

    if (number >= 1 && number <= kLevelCount) {
        bytLevel = static_cast<std::uint8_t>(number);
        ui::setVisible(levelPrompt(), false);
        // The view draws only after the handler returns, so the bricks are
        // never seen anywhere but at their places from the file.
        ui::setVisible(bricks(), true);
        subReadOptions();
        placeBricks(shpBrick, intBrickX, intBrickY);
        ui::setVisible(editingButtons(), true);
    } else {
        showMessage("Pleas chose a level betwen 1 and " + decimalText(kLevelCount));
    }
}

// Nothing is saved: the next accepted entry reads its level from the file
// again, so unsaved moves are lost even when the same level is chosen.
void FrmTilebashLevelEditor::cmdChageLevel_Click() {
    ui::setVisible(bricks(), false);
    ui::setVisible(editingButtons(), false);
    ui::setVisible(levelPrompt(), true);
}

}  // namespace tilebash
