// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>

namespace tilebash {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The classic 16-colour palette of the text-mode era, in its usual order.
// Any index outside 0..15 has no colour and raises "Invalid procedure call or
// argument" naming the index.
Rgb paletteColor(int index);

// The colour's name, to tell it to someone who cannot see it: "Black",
// "Light red", "Yellow (brown)". Outside 0..15 the same error as above.
std::string paletteColorName(int index);

}  // namespace tilebash
