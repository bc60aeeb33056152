// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "common/runtime_error.h"
#include "game/frm_tilebash.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"
#include "ui/key_codes.h"

namespace tilebash::testing {

// A game window in a fresh working folder holding the shipped files.
class GameTest : public ::testing::Test {
  protected:
    GameTest() { copyFiles(TILEBASH_DATA_DIR, dir.path()); }

    void start() { window.onLoad(); }
    void newGame() {
        start();
        window.cmdNewGame_Click();
    }
    // The shipped table, colours and difficulty with these last changes.
    void writeOptions(int ball, int paddle, int brick, int difficulty) {
        std::string text;
        for (int row = 0; row < 10; ++row) {
            text += " " + std::to_string(1000 * (10 - row)) + " \r\nName " + std::to_string(row) +
                    "\r\n";
        }
        for (int value : {ball, paddle, brick, difficulty}) {
            text += " " + std::to_string(value) + " \r\n";
        }
        writeBytes(dir / "options.wkp", text);
    }
    // A game with no brick in reach, so that a tick only tests the rest.
    void clearBricks() {
        for (ui::Shape& brick : window.shpBrick) {
            brick.setVisible(false);
        }
    }
    std::set<std::string> visible() const {
        std::set<std::string> names;
        for (const ui::Control* control : window.controls()) {
            if (control->visible() && control != &window.pixBackground) {
                names.insert(control->name());
            }
        }
        return names;
    }
    template <typename Action>
    static int errorNumber(Action action) {
        try {
            action();
        } catch (const RuntimeError& error) {
            return error.number();
        }
        return 0;
    }

    TempDir dir;
    WorkingDirectory cwd{dir.path()};
    RecordingHost host;
    FrmTilebash window{host};
};

inline const std::set<std::string> kMenu = {"cmdNewGame", "cmdOptions", "cmdHighScore",
                                            "cmdCredits", "cmdQuit"};

}  // namespace tilebash::testing
