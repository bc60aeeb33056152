// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/desktop_identity.h"

#include <QApplication>
#include <QIcon>

namespace tilebash::ui::qt {

void setDesktopIdentity(const QString& desktopFileName) {
    QGuiApplication::setDesktopFileName(desktopFileName);
    // The installed copy first, as the menu shows it: a theme may have its own.
    const QIcon builtIn(QStringLiteral(":/icons/") + desktopFileName + QStringLiteral(".svg"));
    QApplication::setWindowIcon(QIcon::fromTheme(desktopFileName, builtIn));
}

}  // namespace tilebash::ui::qt
