// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "common/palette.h"

namespace tilebash::ui {

// A colour as a control holds it: one of the system's colours, which the
// toolkit picks, or an exact RGB value.
struct Color {
    enum class Role { Rgb, ButtonFace, Highlight };

    Role role = Role::ButtonFace;
    Rgb rgb{};

    static Color of(Rgb value) { return {Role::Rgb, value}; }
    // Colour `index` of the 16-colour palette. An index outside 0..15 (only
    // a hand-edited options file holds one) raises the palette's error.
    static Color ofPalette(int index) { return of(paletteColor(index)); }
    static Color buttonFace() { return {Role::ButtonFace, {}}; }
    static Color highlight() { return {Role::Highlight, {}}; }

    friend bool operator==(const Color&, const Color&) = default;
};

}  // namespace tilebash::ui
