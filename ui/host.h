// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

#include "ui/font.h"

namespace tilebash::ui {

// Size of a caption, in twips.
struct TextExtent {
    double width = 0;
    double height = 0;
};

// What only a real toolkit can do for a window model. The Qt view implements
// it; tests use a recording fake.
class Host {
  public:
    virtual ~Host() = default;

    // The extent of `text` in `font`, used by auto-sized labels.
    virtual TextExtent measureText(const std::string& text, const Font& font) const = 0;
    // A modal message box with `text`, an OK button and `title` as caption;
    // returns when the user has closed it.
    virtual void showMessage(const std::string& text, const std::string& title) = 0;
};

}  // namespace tilebash::ui
