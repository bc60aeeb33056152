// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QWidget;

// What the view sets on its X11 window itself, where Qt's own choice does
// not fit the window. Each does nothing on another platform, or before the
// window has a native window.
namespace tilebash::ui::qt {

// The Motif hints, which some managers (icewm) go by rather than the size
// hints: Qt always asks for resizing there. A window that is not sizable
// asks for moving and closing only, with no resize handles; neither kind
// asks for minimise or maximise.
void setMotifHints(QWidget& window, bool sizable);

// The Motif hints; the window's background colour as what the X server shows
// where Qt does not paint (a tiling manager may force a window larger than
// the size the window holds, and Qt then paints only the size it asked for);
// and the desktop file name as the class in WM_CLASS, by which a desktop ties
// the window to the menu entry that started it (Qt gives the program's name;
// the instance name stays Qt's).
void describeX11Window(QWidget& window, bool sizable);

}  // namespace tilebash::ui::qt
