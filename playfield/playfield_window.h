// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

#include "ui/controls.h"
#include "ui/window.h"

namespace tilebash {

// A window of either program: both create their captioned controls (labels,
// buttons, option buttons) the same way.
class PlayfieldWindow : public ui::Window {
  public:
    using ui::Window::Window;

  protected:
    // A place and size in twips.
    struct Box {
        double left, top, width, height;
    };

    // Registers `control` under `name` in `container` (null: on the window),
    // then gives it its place and its caption, in this order: an auto-sized
    // label takes its caption's size from there.
    template <typename Captioned>
    void addCaptioned(Captioned& control, const std::string& name, Box box,
                      const std::string& caption, ui::Surface* container) {
        add(control, name, container);
        control.setGeometry(box.left, box.top, box.width, box.height);
        control.setCaption(caption);
    }
};

}  // namespace tilebash
