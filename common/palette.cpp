// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "palette.h"

#include <array>
#include <string>

#include "runtime_error.h"

namespace tilebash {

namespace {

struct PaletteEntry {
    Rgb rgb;
    const char* name;
};

constexpr std::array<PaletteEntry, 16> kPalette = {{
    {{0x00, 0x00, 0x00}, "Black"},
    {{0x00, 0x00, 0x80}, "Blue"},
    {{0x00, 0x80, 0x00}, "Green"},
    {{0x00, 0x80, 0x80}, "Cyan"},
    {{0x80, 0x00, 0x00}, "Red"},
    {{0x80, 0x00, 0x80}, "Magenta"},
    {{0x80, 0x80, 0x00}, "Yellow (brown)"},
    {{0xC0, 0xC0, 0xC0}, "White (light grey)"},
    {{0x80, 0x80, 0x80}, "Grey"},
    {{0x00, 0x00, 0xFF}, "Light blue"},
    {{0x00, 0xFF, 0x00}, "Light green"},
    {{0x00, 0xFF, 0xFF}, "Light cyan"},
    {{0xFF, 0x00, 0x00}, "Light red"},
    {{0xFF, 0x00, 0xFF}, "Light magenta"},
    {{0xFF, 0xFF, 0x00}, "Light yellow"},
    {{0xFF, 0xFF, 0xFF}, "Bright white"},
}};

const PaletteEntry& entryOf(int index) {
    if (index < 0 || index >= static_cast<int>(kPalette.size())) {
        throw RuntimeError(ErrorCode::InvalidArgument, "colour index " + std::to_string(index));
    }
    return kPalette[static_cast<std::size_t>(index)];
}

}  // namespace

Rgb paletteColor(int index) {
    return entryOf(index).rgb;
}

std::string paletteColorName(int index) {
    return entryOf(index).name;
}

}  // namespace tilebash
