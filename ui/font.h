// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

namespace tilebash::ui {

struct Font {
    std::string name = "MS Sans Serif";
    double points = 8;
    bool bold = false;
    friend bool operator==(const Font&, const Font&) = default;
};

}  // namespace tilebash::ui
