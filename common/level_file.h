// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

// A level is where its 35 bricks stand: 70 line records, the Left and then
// the Top of each brick in index order, in twips. The game and the editor
// both load and save levels through this one module.
namespace tilebash {

inline constexpr int kBrickCount = 35;
inline constexpr int kLevelCount = 5;

using BrickCoordinates = std::array<std::int16_t, kBrickCount>;

// "level1.wkl" .. "level5.wkl"; `level` must be 1..5.
std::string levelFileName(std::uint8_t level);

// What a level file holds: where each brick stands.
struct Level {
    BrickCoordinates brickX{};
    BrickCoordinates brickY{};

    friend bool operator==(const Level&, const Level&) = default;
};

// Reads the first 70 records of `path`; records after the 70th are ignored.
Level readLevelFile(const std::filesystem::path& path);

// Writes exactly 70 records, atomically.
void writeLevelFile(const std::filesystem::path& path, const Level& level);

}  // namespace tilebash
