// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "palette.h"

#include <array>
#include <string>

#include "runtime_error.h"

namespace tilebash {

namespace {

constexpr std::array<Rgb, 16> kPalette = {{
    {0x00, 0x00, 0x00},  // black
    {0x00, 0x00, 0x80},  // blue
    {0x00, 0x80, 0x00},  // green
    {0x00, 0x80, 0x80},  // cyan
    {0x80, 0x00, 0x00},  // red
    {0x80, 0x00, 0x80},  // magenta
    {0x80, 0x80, 0x00},  // yellow (brown)
    {0xC0, 0xC0, 0xC0},  // white (light grey)
    {0x80, 0x80, 0x80},  // grey
    {0x00, 0x00, 0xFF},  // light blue
    {0x00, 0xFF, 0x00},  // light green
    {0x00, 0xFF, 0xFF},  // light cyan
    {0xFF, 0x00, 0x00},  // light red
    {0xFF, 0x00, 0xFF},  // light magenta
    {0xFF, 0xFF, 0x00},  // light yellow
    {0xFF, 0xFF, 0xFF},  // bright white
}};

}  // namespace

Rgb paletteColor(int index) {
    if (index < 0 || index >= static_cast<int>(kPalette.size())) {
        throw RuntimeError(ErrorCode::InvalidArgument, "colour index " + std::to_string(index));
    }
    return kPalette[static_cast<std::size_t>(index)];
}

}  // namespace tilebash
