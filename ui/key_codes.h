// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

// The platform's virtual-key codes of the keys the windows handle, and the
// shift-state bits and mouse button codes their events carry.
namespace tilebash::ui {

inline constexpr std::int16_t kKeyEscape = 27;
inline constexpr std::int16_t kKeyLeft = 37;
inline constexpr std::int16_t kKeyRight = 39;

inline constexpr std::int16_t kShiftMask = 1;
inline constexpr std::int16_t kCtrlMask = 2;
inline constexpr std::int16_t kAltMask = 4;

inline constexpr std::int16_t kLeftButton = 1;
inline constexpr std::int16_t kRightButton = 2;
inline constexpr std::int16_t kMiddleButton = 4;

}  // namespace tilebash::ui
