// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>

#include <QStringView>

#include "ui/qt/own_frame.h"

// Who draws the window's frame. On X11 the window manager does, and offers
// only the buttons the window asks for where the manager listens. On Wayland
// a compositor that offers server-side decorations (KWin, sway) draws them
// for a window that is not frameless: Qt leaves the choice to it, and both
// choose to. Where none is offered (weston, mutter) Qt would draw its own,
// with minimise and maximise buttons whatever the window asks for, so the
// view draws the frame itself.
namespace tilebash::ui::qt {

// The platform (the X11 window manager, a Wayland compositor), or the view.
enum class Frame { Platform, Own };

// On the Qt platform `platformName`, with or without a compositor that
// offers to draw decorations.
Frame frameFor(QStringView platformName, bool compositorDecorates);

// On the platform Qt runs on, asking a Wayland compositor what it offers.
Frame frameForThisPlatform();

// The own frame around `client` where the platform Qt runs on needs one,
// else none (and the client stays a window of its own).
std::unique_ptr<OwnFrame> ownFrameWhereNeeded(QWidget& client);

}  // namespace tilebash::ui::qt
