// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstddef>

#include "common/level_file.h"
#include "ui/controls.h"

// The bricks as both programs show them: the game plays on them and the
// editor moves them, on playfields of the same inner size, so that a brick
// stands at the same place in both.
namespace tilebash {

// Both windows' playfields have this outer size, in twips.
inline constexpr double kPlayfieldWidth = 7180;
inline constexpr double kPlayfieldHeight = 6135;

// Every brick of every level has this size, in twips.
inline constexpr double kBrickWidth = 735;
inline constexpr double kBrickHeight = 135;

// Where brick i stands before any level places it: seven columns and five
// rows, the layout of the first shipped level.
inline constexpr double gridLeft(std::size_t i) {
    return 600 + 840 * static_cast<double>(i % 7);
}
inline constexpr double gridTop(std::size_t i) {
    return 240 + 240 * static_cast<double>(i / 7);
}

using BrickShapes = std::array<ui::Shape, kBrickCount>;

// Moves brick i to (intBrickX[i], intBrickY[i]), its Left before its Top.
void placeBricks(BrickShapes& bricks, const BrickCoordinates& intBrickX,
                 const BrickCoordinates& intBrickY);

}  // namespace tilebash
