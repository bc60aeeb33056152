// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cmath>
#include <string>
#include <vector>

#include "ui/host.h"

namespace tilebash::testing {

// A host for headless tests: it records message boxes and measures text by a
// fixed rule so that sizes are predictable.
class RecordingHost : public ui::Host {
  public:
    struct Message {
        std::string text;
        std::string title;
    };

    // Each character is 10 twips per point wide (bold: 11); a line is
    // 195 twips high at 8 points and scales with the size.
    ui::TextExtent measureText(const std::string& text, const ui::Font& font) const override {
        double perCharacter = font.points * (font.bold ? 11.0 : 10.0);
        return {perCharacter * static_cast<double>(text.size()), std::round(font.points * 195 / 8)};
    }
    void showMessage(const std::string& text, const std::string& title) override {
        messages.push_back({text, title});
    }

    std::vector<Message> messages;
};

}  // namespace tilebash::testing
