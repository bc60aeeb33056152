// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <functional>

#include "ui/controls.h"

class QWidget;

// The widget of each kind of control: how it is built, how the user's
// events on it reach the control's handlers, and how the control's
// properties are copied onto it. The kinds are fixed; each has its own
// section in control_views.cpp.
namespace tilebash::ui::qt {

class CanvasWidget;
class SurfaceWidget;

// A control and its widget, or for a shape its slot on a canvas.
struct ControlView {
    ui::Control* control = nullptr;
    QWidget* widget = nullptr;
    SurfaceWidget* surface = nullptr;  // when the control is a surface
    CanvasWidget* canvas = nullptr;    // where a shape is painted
    std::size_t shapeSlot = 0;
};

// Runs a call into the model the way the view runs every handler (under its
// error boundary, then syncing); answers whether the program still runs.
using CallModel = std::function<bool(const std::function<void()>&)>;

// Whether a control of this kind can take the keyboard focus.
bool takesFocus(ui::ControlKind kind);

// Builds the control's widget in `parent` and forwards the user's events on
// it through `call`. A shape has no widget: it gets a slot on `canvas`. An
// option button of a named group goes into its group's widget in `parent`.
void buildControl(ControlView& view, QWidget* parent, CanvasWidget* canvas, const CallModel& call);

// Copies all of the control's properties onto its widget; the view calls it
// for each control that has changed since the last sync. Answers whether the
// control was shown or hidden, after which the focus may have to move.
bool syncControl(const ControlView& view);

}  // namespace tilebash::ui::qt
