// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/fonts.h"

#include <QString>

namespace tilebash::ui::qt {

QFont toQFont(const ui::Font& font) {
    QFont result(QString::fromStdString(font.name));
    // Whatever the family resolves to, a missing font falls back to a sans-serif.
    result.setStyleHint(QFont::SansSerif);
    if (font.points > 0) {
        result.setPointSizeF(font.points);
    }
    result.setBold(font.bold);
    return result;
}

}  // namespace tilebash::ui::qt
