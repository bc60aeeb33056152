// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/key_map.h"

#include "ui/key_codes.h"

namespace tilebash::ui::qt {

std::optional<std::int16_t> virtualKeyOf(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Escape:
            return kKeyEscape;
        case Qt::Key_Left:
            return kKeyLeft;
        case Qt::Key_Right:
            return kKeyRight;
        default:
            return std::nullopt;
    }
}

std::int16_t shiftStateOf(Qt::KeyboardModifiers modifiers) {
    std::int16_t state = 0;
    if (modifiers.testFlag(Qt::ShiftModifier)) {
        state |= kShiftMask;
    }
    if (modifiers.testFlag(Qt::ControlModifier)) {
        state |= kCtrlMask;
    }
    if (modifiers.testFlag(Qt::AltModifier)) {
        state |= kAltMask;
    }
    return state;
}

std::int16_t buttonCodeOf(Qt::MouseButtons buttons) {
    std::int16_t code = 0;
    if (buttons.testFlag(Qt::LeftButton)) {
        code |= kLeftButton;
    }
    if (buttons.testFlag(Qt::RightButton)) {
        code |= kRightButton;
    }
    if (buttons.testFlag(Qt::MiddleButton)) {
        code |= kMiddleButton;
    }
    return code;
}

}  // namespace tilebash::ui::qt
