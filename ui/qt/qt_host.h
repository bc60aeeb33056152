// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <string>

#include "ui/host.h"

class QWidget;

namespace tilebash::ui::qt {

// The host of a window model under Qt: it measures captions with the fonts
// the widgets will use and shows modal message boxes.
class QtHost : public ui::Host {
  public:
    TextExtent measureText(const std::string& text, const Font& font) const override;
    void showMessage(const std::string& text, const std::string& title) override;

    // The window the message boxes are modal to; null while it is not shown.
    void setDialogParent(QWidget* parent) { dialogParent_ = parent; }
    // Runs before a message box opens, so that the window behind it shows the
    // model as it is at that moment.
    void setBeforeMessage(std::function<void()> beforeMessage) {
        beforeMessage_ = std::move(beforeMessage);
    }

    // A fatal error: a line goes to standard error, then `text` into a modal
    // box. The line is `line` where one is given (the message and what lies
    // behind it: the path behind a link, the system's reason), else `text`.
    void reportError(const std::string& text, const std::string& title,
                     const std::string& line = {}) const;

  private:
    void showBox(const std::string& text, const std::string& title) const;

    QWidget* dialogParent_ = nullptr;
    std::function<void()> beforeMessage_;
};

}  // namespace tilebash::ui::qt
