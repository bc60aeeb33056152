// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

// The game's options-file reading on arbitrary files, through the game
// window itself: it reads the 24 records or raises one of the reading
// errors. A file that reads is written by Quit's procedure and read again,
// and must give back the same table, colours and difficulty.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <memory>

#include "fuzz_support.h"
#include "game/frm_tilebash.h"
#include "support/recording_host.h"

namespace {

struct Game {
    tilebash::testing::RecordingHost host;
    tilebash::FrmTilebash window{host};
};

std::unique_ptr<Game> game;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    tilebash::fuzz::enterScratchFolder();
    game = std::make_unique<Game>();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tilebash;
    {
        std::ofstream file("options.wkp", std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }

    FrmTilebash& window = game->window;
    try {
        window.subReadOptions();
    } catch (const RuntimeError& error) {
        fuzz::expectReadingError(error);
        return 0;
    }

    const auto scores = window.intHighScore;
    const auto names = window.strHighScoreName;
    const std::array<std::uint8_t, 4> settings = {window.bytBallColor, window.bytPaddleColor,
                                                  window.bytBrickColor, window.bytDifficulty};
    window.subSaveOptions();
    window.intHighScore.fill(0);
    window.strHighScoreName.fill("");
    window.subReadOptions();
    const std::array<std::uint8_t, 4> settingsAgain = {window.bytBallColor, window.bytPaddleColor,
                                                       window.bytBrickColor, window.bytDifficulty};
    if (window.intHighScore != scores || window.strHighScoreName != names ||
        settingsAgain != settings) {
        fuzz::finding("options written at Quit do not read back");
    }
    return 0;
}
