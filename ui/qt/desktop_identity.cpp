// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/desktop_identity.h"

#include <QApplication>

namespace tilebash::ui::qt {

void setDesktopIdentity(const QString& desktopFileName) {
    QGuiApplication::setDesktopFileName(desktopFileName);
    QApplication::setWindowIcon(windowIconNamed(desktopFileName));
}

QIcon windowIconNamed(const QString& name) {
    // The theme's copy first: a theme may draw the icon in its own manner.
    return QIcon::fromTheme(name,
                            QIcon(QStringLiteral(":/icons/") + name + QStringLiteral(".svg")));
}

}  // namespace tilebash::ui::qt
