// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/light_palette.h"

#include <QApplication>
#include <QStyle>

namespace tilebash::ui::qt {

void useLightPalette() {
    QApplication::setPalette(QApplication::style()->standardPalette());
}

}  // namespace tilebash::ui::qt
