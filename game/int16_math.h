// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <limits>

#include "common/numeric.h"

// Positions and speeds of the play objects are signed 16-bit twips. They stay
// far inside that range in play; should one ever leave it, that is reported
// as an overflow instead of silently wrapping.
namespace tilebash {

// Whole-number sums need no rounding, so they stay in integers: the frame
// tick does several per frame. Only a value out of range takes the slow
// path, which raises the same error as any other conversion.
inline std::int16_t fit16(long long value) {
    if (value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max()) [[unlikely]] {
        return toInt16(static_cast<double>(value));
    }
    return static_cast<std::int16_t>(value);
}

inline std::int16_t add16(std::int16_t a, int b) {
    return fit16(static_cast<long long>(a) + b);
}

inline std::int16_t negate16(std::int16_t a) {
    return fit16(-static_cast<long long>(a));
}

// Half of an extent, rounded halves to even: 6075 -> 3038.
inline std::int16_t half16(std::int16_t extent) {
    return toInt16(extent / 2.0);
}

// Left of an object of width `inner` centred in `outer`, rounded once from
// the exact fraction: (7120 - 1425) / 2 -> 2848.
inline std::int16_t centred16(std::int16_t outer, std::int16_t inner) {
    return toInt16(outer / 2.0 - inner / 2.0);
}

}  // namespace tilebash
