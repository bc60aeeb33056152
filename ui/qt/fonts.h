// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace tilebash::ui::qt {

// The windows name "MS Sans Serif": Liberation Sans, else Arial, stands in.
void installFontSubstitutes();

}  // namespace tilebash::ui::qt
