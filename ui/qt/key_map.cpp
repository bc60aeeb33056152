// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/key_map.h"

#include "ui/key_codes.h"

namespace tilebash::ui::qt {

namespace {

struct KeyPair {
    int qtKey;
    std::int16_t code;
};

// Keys whose code is not simply their Latin-1 value.
constexpr KeyPair kNamedKeys[] = {
    {Qt::Key_Backspace, kKeyBack},
    {Qt::Key_Tab, kKeyTab},
    {Qt::Key_Backtab, kKeyTab},
    {Qt::Key_Clear, 12},
    {Qt::Key_Return, kKeyReturn},
    {Qt::Key_Enter, kKeyReturn},
    {Qt::Key_Shift, kKeyShift},
    {Qt::Key_Control, kKeyControl},
    {Qt::Key_Alt, kKeyMenu},
    {Qt::Key_AltGr, kKeyMenu},
    {Qt::Key_Pause, 19},
    {Qt::Key_CapsLock, 20},
    {Qt::Key_Escape, kKeyEscape},
    {Qt::Key_Space, kKeySpace},
    {Qt::Key_PageUp, kKeyPageUp},
    {Qt::Key_PageDown, kKeyPageDown},
    {Qt::Key_End, kKeyEnd},
    {Qt::Key_Home, kKeyHome},
    {Qt::Key_Left, kKeyLeft},
    {Qt::Key_Up, kKeyUp},
    {Qt::Key_Right, kKeyRight},
    {Qt::Key_Down, kKeyDown},
    {Qt::Key_Select, 41},
    {Qt::Key_Print, 44},
    {Qt::Key_Insert, kKeyInsert},
    {Qt::Key_Delete, kKeyDelete},
    {Qt::Key_Help, 47},
    {Qt::Key_Meta, 91},
    {Qt::Key_Super_L, 91},
    {Qt::Key_Super_R, 92},
    {Qt::Key_Menu, 93},
    {Qt::Key_NumLock, 144},
    {Qt::Key_ScrollLock, 145},
    // Punctuation, by its key on a US keyboard, shifted or not.
    {Qt::Key_Semicolon, 186},
    {Qt::Key_Colon, 186},
    {Qt::Key_Equal, 187},
    {Qt::Key_Plus, 187},
    {Qt::Key_Comma, 188},
    {Qt::Key_Less, 188},
    {Qt::Key_Minus, 189},
    {Qt::Key_Underscore, 189},
    {Qt::Key_Period, 190},
    {Qt::Key_Greater, 190},
    {Qt::Key_Slash, 191},
    {Qt::Key_Question, 191},
    {Qt::Key_QuoteLeft, 192},
    {Qt::Key_AsciiTilde, 192},
    {Qt::Key_BracketLeft, 219},
    {Qt::Key_BraceLeft, 219},
    {Qt::Key_Backslash, 220},
    {Qt::Key_Bar, 220},
    {Qt::Key_BracketRight, 221},
    {Qt::Key_BraceRight, 221},
    {Qt::Key_Apostrophe, 222},
    {Qt::Key_QuoteDbl, 222},
    // Shifted digits.
    {Qt::Key_ParenRight, kKey0},
    {Qt::Key_Exclam, kKey0 + 1},
    {Qt::Key_At, kKey0 + 2},
    {Qt::Key_NumberSign, kKey0 + 3},
    {Qt::Key_Dollar, kKey0 + 4},
    {Qt::Key_Percent, kKey0 + 5},
    {Qt::Key_AsciiCircum, kKey0 + 6},
    {Qt::Key_Ampersand, kKey0 + 7},
    {Qt::Key_Asterisk, kKey0 + 8},
    {Qt::Key_ParenLeft, kKey0 + 9},
};

// The number pad has codes of its own: digits 96..105, then * + separator - . /
std::optional<std::int16_t> keypadCodeOf(int qtKey) {
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        return static_cast<std::int16_t>(96 + (qtKey - Qt::Key_0));
    }
    switch (qtKey) {
        case Qt::Key_Asterisk:
            return 106;
        case Qt::Key_Plus:
            return 107;
        case Qt::Key_Minus:
            return 109;
        case Qt::Key_Period:
        case Qt::Key_Comma:
            return 110;
        case Qt::Key_Slash:
            return 111;
        default:
            return std::nullopt;
    }
}

}  // namespace

std::optional<std::int16_t> virtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers) {
    if (modifiers.testFlag(Qt::KeypadModifier)) {
        if (auto code = keypadCodeOf(qtKey)) {
            return code;
        }
    }
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) {
        return static_cast<std::int16_t>(qtKey);
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return static_cast<std::int16_t>(kKeyF1 + (qtKey - Qt::Key_F1));
    }
    for (const KeyPair& pair : kNamedKeys) {
        if (pair.qtKey == qtKey) {
            return pair.code;
        }
    }
    return std::nullopt;
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
