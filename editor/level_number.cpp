// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/level_number.h"

#include <algorithm>
#include <string>

namespace tilebash {

namespace {

// Far beyond any level number; keeps a long run of digits from overflowing.
constexpr std::int64_t kSaturation = 1'000'000'000'000;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

// The digits are rounded as written rather than through a floating-point
// value: "2.50000000000000001" is just above a half and gives 3, where a double
// would hold 2.5 and give 2; and the user's locale has no say in what the
// decimal point is.
std::int64_t wholeNumberOfEntry(std::string_view text) {
    std::string kept;
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') {
            kept.push_back(c);
        }
    }

    std::size_t pos = 0;
    bool negative = false;
    if (pos < kept.size() && (kept[pos] == '+' || kept[pos] == '-')) {
        negative = kept[pos] == '-';
        ++pos;
    }
    if (pos == kept.size() || !isDigit(kept[pos])) {
        return 0;
    }
    std::int64_t whole = 0;
    for (; pos < kept.size() && isDigit(kept[pos]); ++pos) {
        whole = std::min(whole * 10 + (kept[pos] - '0'), kSaturation);
    }

    // A point counts only when digits follow it.
    if (pos + 1 < kept.size() && kept[pos] == '.' && isDigit(kept[pos + 1])) {
        const char first = kept[pos + 1];
        bool beyondHalf = false;
        for (std::size_t i = pos + 2; i < kept.size() && isDigit(kept[i]); ++i) {
            beyondHalf = beyondHalf || kept[i] != '0';
        }
        if (first > '5' || (first == '5' && (beyondHalf || whole % 2 == 1))) {
            ++whole;
        }
    }
    return negative ? -whole : whole;
}

}  // namespace tilebash
