// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "playfield/bricks.h"

namespace tilebash {

void placeBricks(BrickShapes& bricks, const BrickCoordinates& intBrickX,
                 const BrickCoordinates& intBrickY) {
    for (std::size_t i = 0; i < bricks.size(); ++i) {
        bricks[i].move(intBrickX[i], intBrickY[i]);
    }
}

}  // namespace tilebash
