// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// How the desktop knows the program's windows for those of the menu entry
// that starts it: by the entry's file name without ".desktop"
// ("io.github.tilebash.Tilebash"), which is the windows' app id on Wayland
// and their class on X11, and by the entry's icon of the same name.
namespace tilebash::ui::qt {

// For every window of the application from now on. The icon is the one of
// that name in the installed icon theme, or else the copy built into the
// program as ":/icons/<name>.svg" (see tilebash_window_icon in
// ui/qt/CMakeLists.txt).
void setDesktopIdentity(const QString& desktopFileName);

}  // namespace tilebash::ui::qt
