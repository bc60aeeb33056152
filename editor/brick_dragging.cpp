// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

// Dragging bricks with the mouse. The playfield gets the mouse events
// wherever the pointer is over it, bricks included, and keeps getting them
// while a button pressed over it is held; the tags of the bricks carry the
// drag from one event to the next.
#include "common/numeric.h"
#include "editor/frm_tilebash_level_editor.h"

namespace tilebash {

namespace {

const std::string kDragTag = "DRAG";

// A pointer exactly on an edge of a brick does not hit it.
bool hits(const ui::Shape& brick, double x, double y) {
    return x > brick.left() && x < brick.left() + brick.width() && y > brick.top() &&
           y < brick.top() + brick.height();
}

}  // namespace

// Every brick under the pointer is marked, and the offsets are those of the
// highest-numbered one. The hidden bricks of the level prompt can be grabbed
// too; that does no harm, as accepting a level places every brick anew.
void FrmTilebashLevelEditor::pixBackground_MouseDown(std::int16_t /*button*/,
                                                     std::int16_t /*shift*/, double x, double y) {
    for (ui::Shape& brick : shpBrick) {
        if (hits(brick, x, y)) {
            // Inside a brick the offsets are less than its size, far inside
            // the 32-bit range.
            lngDragOffsetX = toInt32(x - brick.left());
            lngDragOffsetY = toInt32(y - brick.top());
            brick.setTag(kDragTag);
        }
    }
}

// The lowest-numbered marked brick moves and the marks above it are cleared,
// so from the first move on only that one brick follows the pointer. No
// limit: a brick may leave the playfield and stays where it was dropped.
void FrmTilebashLevelEditor::pixBackground_MouseMove(std::int16_t /*button*/,
                                                     std::int16_t /*shift*/, double x, double y) {
    for (std::size_t i = 0; i < shpBrick.size(); ++i) {
        if (shpBrick[i].tag() == kDragTag) {
            shpBrick[i].move(x - lngDragOffsetX, y - lngDragOffsetY);
            for (std::size_t j = i + 1; j < shpBrick.size(); ++j) {
                shpBrick[j].setTag("");
            }
        }
    }
}

void FrmTilebashLevelEditor::pixBackground_MouseUp(std::int16_t /*button*/, std::int16_t /*shift*/,
                                                   double /*x*/, double /*y*/) {
    for (ui::Shape& brick : shpBrick) {
        brick.setTag("");
    }
}

}  // namespace tilebash
