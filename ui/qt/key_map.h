// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <optional>

#include <Qt>

// Qt's keys, modifiers and buttons as the platform codes that the window
// models receive (ui/key_codes.h).
namespace tilebash::ui::qt {

// The virtual-key code of a key the windows handle, or nothing for any other.
std::optional<std::int16_t> virtualKeyOf(int qtKey);

// Shift 1, Ctrl 2, Alt 4.
std::int16_t shiftStateOf(Qt::KeyboardModifiers modifiers);

// Left 1, right 2, middle 4; several held buttons add up.
std::int16_t buttonCodeOf(Qt::MouseButtons buttons);

}  // namespace tilebash::ui::qt
