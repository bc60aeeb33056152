// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/frm_tilebash_level_editor.h"
#include "ui/qt/run_program.h"

int main(int argc, char** argv) {
    return tilebash::ui::qt::runProgram(
        argc, argv,
        {"tilebash-editor", "The level editor of Tilebash.", TILEBASH_DESKTOP_FILE_NAME},
        [](tilebash::ui::Host& host) {
            return std::make_unique<tilebash::FrmTilebashLevelEditor>(host);
        });
}
