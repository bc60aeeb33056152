// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <type_traits>

#include "ui/controls.h"

namespace tilebash::ui {

namespace detail {

template <typename T>
struct IsArray : std::false_type {};
template <typename T, std::size_t N>
struct IsArray<std::array<T, N>> : std::true_type {};

template <typename Part>
constexpr std::size_t controlsIn() {
    if constexpr (IsArray<Part>::value) {
        return std::tuple_size_v<Part>;
    } else {
        return 1;
    }
}

}  // namespace detail

// The controls of one screen, in the order of the arguments; a control array
// adds its elements in index order. The size is counted from the arguments,
// so a group holds every control it names and nothing else.
template <typename... Parts>
auto controlGroup(Parts&... parts) {
    std::array<Control*, (detail::controlsIn<Parts>() + ...)> group{};
    std::size_t next = 0;
    auto append = [&]<typename Part>(Part& part) {
        if constexpr (detail::IsArray<Part>::value) {
            for (Control& control : part) {
                group[next++] = &control;
            }
        } else {
            group[next++] = &part;
        }
    };
    (append(parts), ...);
    return group;
}

// Shows or hides a screen, control by control in the group's order.
inline void setVisible(std::span<Control* const> group, bool visible) {
    for (Control* control : group) {
        control->setVisible(visible);
    }
}

}  // namespace tilebash::ui
