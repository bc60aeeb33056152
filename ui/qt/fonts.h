// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>

#include "ui/font.h"

namespace tilebash::ui::qt {

// "MS Sans Serif" is not there on Linux: Liberation Sans has Arial's metrics,
// so the captions fit the boxes they were laid out for. Without it Qt falls
// back to the system's sans-serif at the same point size.
void installFontSubstitutes();

QFont toQFont(const ui::Font& font);

}  // namespace tilebash::ui::qt
