// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string_view>

namespace tilebash {

// The whole number that an entry in the level prompt stands for. Blanks, tabs
// and line feeds are ignored wherever they are; the number is the longest
// leading part of the rest made of an optional sign, digits, and optionally a
// point with further digits, rounded halves to even. An entry without such a
// part is 0. Far too large entries saturate instead of overflowing.
std::int64_t wholeNumberOfEntry(std::string_view text);

}  // namespace tilebash
