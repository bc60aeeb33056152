// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>

#include "ui/font.h"

namespace tilebash::ui::qt {

QFont toQFont(const ui::Font& font);

}  // namespace tilebash::ui::qt
