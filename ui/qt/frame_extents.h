// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>

#include <QMarginsF>

class QWidget;

namespace tilebash::ui::qt {

// The frame that the window manager will draw around `window`, asked for
// before the window is first shown, in logical pixels. Nothing when there is
// no manager that answers (no manager at all, or not on X11).
std::optional<QMarginsF> askFrameExtents(QWidget& window);

}  // namespace tilebash::ui::qt
