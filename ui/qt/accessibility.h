// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What assistive technology (a screen reader, over the desktop's
// accessibility bus) is told of the widgets that stand in for the model's
// controls where Qt's own account would be wrong or empty: an option button
// is a radio button (Qt calls one that leaves the others alone a check box),
// a label that takes clicks is a button whose press action is a click, and a
// surface is a canvas. Names, descriptions and labels come from the model
// and are copied onto the widgets as the view syncs.
namespace tilebash::ui::qt {

// Once per application; again does nothing.
void installAccessibleInterfaces();

}  // namespace tilebash::ui::qt
