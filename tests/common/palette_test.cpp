// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/palette.h"

#include <gtest/gtest.h>

#include "common/runtime_error.h"

namespace tilebash {
namespace {

TEST(Palette, MapsTheSixteenClassicColours) {
    EXPECT_EQ(paletteColor(0), (Rgb{0, 0, 0}));
    EXPECT_EQ(paletteColor(6), (Rgb{0x80, 0x80, 0}));
    EXPECT_EQ(paletteColor(7), (Rgb{0xC0, 0xC0, 0xC0}));
    EXPECT_EQ(paletteColor(8), (Rgb{0x80, 0x80, 0x80}));
    EXPECT_EQ(paletteColor(12), (Rgb{0xFF, 0, 0}));
    EXPECT_EQ(paletteColor(15), (Rgb{0xFF, 0xFF, 0xFF}));
}

TEST(Palette, AnIndexOutsideTheTableIsAnInvalidArgumentNamingIt) {
    for (int index : {-1, 16, 255}) {
        try {
            paletteColor(index);
            FAIL() << index;
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.number(), 5);
            EXPECT_EQ(error.subject(), "colour index " + std::to_string(index));
        }
    }
}

}  // namespace
}  // namespace tilebash
