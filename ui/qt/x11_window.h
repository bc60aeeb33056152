// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QColor;
class QString;
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

// What the X server shows where Qt does not paint: a tiling manager may
// force a window larger than the size the window holds, and Qt then paints
// only the size it asked for.
void setBackground(QWidget& window, const QColor& colour);

// The class in WM_CLASS, by which a desktop ties the window to the menu
// entry that started it: Qt gives the program's name, not the entry's. The
// instance name stays Qt's. Nothing for an empty class.
void setWindowClass(QWidget& window, const QString& windowClass);

}  // namespace tilebash::ui::qt
