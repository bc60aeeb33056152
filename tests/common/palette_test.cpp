// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/palette.h"

#include <gtest/gtest.h>

#include "common/runtime_error.h"

namespace tilebash {
namespace {

TEST(Palette, MapsTheSixteenClassicColoursAndNamesThem) {
    const struct {
        int index;
        Rgb rgb;
        const char* name;
    } rows[] = {
        {0, {0, 0, 0}, "Black"},
        {4, {0x80, 0, 0}, "Red"},
        {6, {0x80, 0x80, 0}, "Yellow (brown)"},
        {7, {0xC0, 0xC0, 0xC0}, "White (light grey)"},
        {8, {0x80, 0x80, 0x80}, "Grey"},
        {12, {0xFF, 0, 0}, "Light red"},
        {15, {0xFF, 0xFF, 0xFF}, "Bright white"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(paletteColor(row.index), row.rgb) << row.index;
        EXPECT_EQ(paletteColorName(row.index), row.name);
    }
}

TEST(Palette, AnIndexOutsideTheTableIsAnInvalidArgumentNamingIt) {
    // The colour and its name alike.
    for (auto lookUp :
         {+[](int index) { paletteColor(index); }, +[](int index) { paletteColorName(index); }}) {
        for (int index : {-1, 16, 255}) {
            try {
                lookUp(index);
                FAIL() << index;
            } catch (const RuntimeError& error) {
                EXPECT_EQ(error.number(), 5);
                EXPECT_EQ(error.subject(), "colour index " + std::to_string(index));
            }
        }
    }
}

}  // namespace
}  // namespace tilebash
