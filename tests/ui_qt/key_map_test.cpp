// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "ui/key_codes.h"
#include "ui/qt/key_map.h"

namespace tilebash::ui::qt {
namespace {

TEST(KeyMap, KeysBecomeThePlatformsVirtualKeyCodes) {
    struct Case {
        int qtKey;
        Qt::KeyboardModifiers modifiers;
        int code;
    };
    const Case cases[] = {
        {Qt::Key_Escape, {}, kKeyEscape},
        {Qt::Key_Space, {}, kKeySpace},
        {Qt::Key_Left, {}, kKeyLeft},
        {Qt::Key_Up, {}, kKeyUp},
        {Qt::Key_Right, Qt::ShiftModifier, kKeyRight},
        {Qt::Key_Down, {}, kKeyDown},
        {Qt::Key_Return, {}, kKeyReturn},
        {Qt::Key_Enter, Qt::KeypadModifier, kKeyReturn},
        {Qt::Key_Tab, {}, kKeyTab},
        {Qt::Key_A, {}, kKeyA},
        {Qt::Key_Z, Qt::ShiftModifier, kKeyA + 25},
        {Qt::Key_7, {}, kKey0 + 7},
        {Qt::Key_7, Qt::KeypadModifier, 103},  // the number pad's own 7
        {Qt::Key_Exclam, Qt::ShiftModifier, kKey0 + 1},
        {Qt::Key_F1, {}, kKeyF1},
        {Qt::Key_F12, {}, kKeyF1 + 11},
        {Qt::Key_Delete, {}, kKeyDelete},
        {Qt::Key_Comma, {}, 188},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.qtKey);
        EXPECT_EQ(virtualKeyOf(c.qtKey, c.modifiers), std::optional<std::int16_t>(c.code));
    }
    EXPECT_EQ(virtualKeyOf(Qt::Key_Adiaeresis, {}), std::nullopt);
}

TEST(KeyMap, ModifiersAndButtonsBecomeTheirBits) {
    EXPECT_EQ(shiftStateOf(Qt::ShiftModifier), kShiftMask);
    EXPECT_EQ(shiftStateOf(Qt::ControlModifier | Qt::AltModifier), kCtrlMask | kAltMask);
    EXPECT_EQ(shiftStateOf(Qt::KeypadModifier), 0);
    EXPECT_EQ(buttonCodeOf(Qt::LeftButton), kLeftButton);
    EXPECT_EQ(buttonCodeOf(Qt::RightButton), kRightButton);
    EXPECT_EQ(buttonCodeOf(Qt::MiddleButton | Qt::LeftButton), kMiddleButton | kLeftButton);
    EXPECT_EQ(buttonCodeOf(Qt::NoButton), 0);
}

}  // namespace
}  // namespace tilebash::ui::qt
