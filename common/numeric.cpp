// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "numeric.h"

#include <cmath>

#include "runtime_error.h"

namespace tilebash {

double roundHalfEven(double value) {
    double nearest = std::round(value);  // halves away from zero
    if (std::fabs(value - std::trunc(value)) == 0.5) {
        nearest = 2.0 * std::round(value / 2.0);
    }
    return nearest;
}

namespace {

// Only a value that a long long holds is converted: converting a larger one
// is undefined, and a file can hold a number of any length.
std::string describeValue(double value, const std::string& what) {
    std::string text;
    if (std::isnan(value)) {
        text = "NaN";
    } else if (std::isinf(value)) {
        text = "infinite";
    } else if (std::fabs(value) >= 9.2e18) {
        text = "out of range";
    } else {
        text = decimalText(static_cast<long long>(value));
    }
    return what.empty() ? text : what + " " + text;
}

template <typename T>
T convertChecked(double value, const std::string& what) {
    double rounded = roundHalfEven(value);
    if (!(rounded >= static_cast<double>(std::numeric_limits<T>::min()) &&
          rounded <= static_cast<double>(std::numeric_limits<T>::max()))) {
        throw RuntimeError(ErrorCode::Overflow, describeValue(rounded, what));
    }
    return static_cast<T>(rounded);
}

}  // namespace

std::int16_t toInt16(double value, const std::string& what) {
    return convertChecked<std::int16_t>(value, what);
}

std::uint8_t toByte(double value, const std::string& what) {
    return convertChecked<std::uint8_t>(value, what);
}

std::int32_t toInt32(double value, const std::string& what) {
    return convertChecked<std::int32_t>(value, what);
}

std::string decimalText(long long value) {
    return std::to_string(value);
}

}  // namespace tilebash
