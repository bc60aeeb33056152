// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <limits>
#include <string>

// Whole-number conversions shared by both programs. Fractions only arise from
// halving sizes and from pointer positions; they become integers by rounding
// to the nearest whole number, halves to the even neighbour.
namespace tilebash {

// Nearest whole number, halves to the even neighbour: 2.5 -> 2, 3.5 -> 4,
// -2.5 -> -2. Does not depend on the floating-point rounding mode.
double roundHalfEven(double value);

// Round, then check the target range; a value that does not fit (or is not a
// number) raises the Overflow run-time error naming `what` and the value.
std::int16_t toInt16(double value, const std::string& what = {});
std::uint8_t toByte(double value, const std::string& what = {});
std::int32_t toInt32(double value, const std::string& what = {});

// Plain decimal digits, "-" before a negative value, no padding.
std::string decimalText(long long value);

// Addition clamped to the range of T instead of overflowing; for the values
// whose limit ordinary play can reach (game time, paddle speed, score).
template <typename T>
T saturatingAdd(T a, long long b) {
    long long sum = static_cast<long long>(a) + b;
    if (sum > static_cast<long long>(std::numeric_limits<T>::max())) {
        return std::numeric_limits<T>::max();
    }
    if (sum < static_cast<long long>(std::numeric_limits<T>::min())) {
        return std::numeric_limits<T>::min();
    }
    return static_cast<T>(sum);
}

template <typename T>
T saturatingMultiply(T a, long long b) {
    // Both factors are far below 2^31 in magnitude, so the product fits a long long.
    long long product = static_cast<long long>(a) * b;
    return saturatingAdd<T>(T{0}, product);
}

}  // namespace tilebash
