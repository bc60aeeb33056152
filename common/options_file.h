// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

// options.wkp, the game's memory between runs: 24 line records, the ten
// table rows (score, then name), the ball, paddle and brick colours, and the
// difficulty.
namespace tilebash {

inline constexpr const char* kOptionsFileName = "options.wkp";
inline constexpr std::size_t kHighScoreRows = 10;

struct Options {
    // Best row first. The scores are 32-bit, so both older 16-bit files and
    // big scores read unchanged.
    std::array<std::int32_t, kHighScoreRows> highScores{};
    std::array<std::string, kHighScoreRows> highScoreNames{};
    // Palette indexes.
    std::uint8_t ballColor = 0;
    std::uint8_t paddleColor = 0;
    std::uint8_t brickColor = 0;
    std::uint8_t difficulty = 0;

    friend bool operator==(const Options&, const Options&) = default;
};

// Reads the first 24 records of `path`; records after them are ignored.
// Nothing is checked or sorted: a colour above 15 is only refused when it is
// painted, and the table is used in the order it was stored. A file that
// cannot be read whole raises the reader's error and gives nothing.
Options readOptionsFile(const std::filesystem::path& path);

// Writes all 24 records, atomically, so that a failed write leaves the
// previous file whole. A name that would not read back as typed (a comma,
// blanks at either end) is written between double quotes.
void writeOptionsFile(const std::filesystem::path& path, const Options& options);

}  // namespace tilebash
