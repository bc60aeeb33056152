// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

// Saves one file over and over with the programs' own save code, alternating
// two contents, until it is killed or has saved COUNT times:
//
//   save_loop options|level FOLDER [COUNT]
//
// After its first save it writes one byte to standard output, so that a test
// knows the process is inside its loop.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "common/level_file.h"
#include "game/frm_tilebash.h"
#include "support/recording_host.h"

namespace {

using tilebash::BrickCoordinates;
using tilebash::FrmTilebash;

// Two tables of different lengths, so that a mix or a cut of them is never
// equal to either.
void fillOptions(FrmTilebash& window, bool second) {
    for (std::size_t row = 0; row < tilebash::kHighScoreRows; ++row) {
        const int score = static_cast<int>(10 - row);
        window.intHighScore[row] = second ? 100000 * score : score;
        window.strHighScoreName[row] =
            second ? "A rather longer name, with a comma " + std::to_string(row) : "N";
    }
    window.bytBallColor = second ? 12 : 1;
    window.bytPaddleColor = second ? 10 : 2;
    window.bytBrickColor = second ? 9 : 3;
    window.bytDifficulty = second ? 200 : 100;
}

void fillLevel(BrickCoordinates& x, BrickCoordinates& y, bool second) {
    for (std::size_t i = 0; i < x.size(); ++i) {
        const auto n = static_cast<std::int16_t>(i);
        x[i] = second ? static_cast<std::int16_t>(-32768 + n) : n;
        y[i] = second ? static_cast<std::int16_t>(32767 - n) : 0;
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || (std::string(argv[1]) != "options" && std::string(argv[1]) != "level")) {
        std::cerr << "usage: save_loop options|level FOLDER [COUNT]\n";
        return 2;
    }
    const bool options = std::string(argv[1]) == "options";
    const long count = argc > 3 ? std::atol(argv[3]) : -1;
    std::filesystem::current_path(argv[2]);

    tilebash::testing::RecordingHost host;
    FrmTilebash window(host);
    BrickCoordinates x{};
    BrickCoordinates y{};
    for (long saved = 0; count < 0 || saved < count; ++saved) {
        const bool second = saved % 2 == 1;
        if (options) {
            fillOptions(window, second);
            window.subSaveOptions();
        } else {
            fillLevel(x, y, second);
            tilebash::writeLevelFile("level3.wkl", {x, y});
        }
        if (saved == 0) {
            const char ready = 'r';
            if (::write(STDOUT_FILENO, &ready, 1) != 1) {
                return 1;
            }
        }
    }
    return 0;
}
