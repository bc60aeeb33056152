// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace tilebash::ui::qt {

// The shapes' colours were chosen against the light grey of the classic
// controls: under a dark desktop theme the playfield would turn dark and a
// navy paddle or the black outlines would all but vanish into it. So the
// whole application keeps its style's own standard palette, which is light,
// whatever palette the desktop offers.
void useLightPalette();

}  // namespace tilebash::ui::qt
