// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <memory>
#include <string_view>

#include "ui/host.h"
#include "ui/window.h"

namespace tilebash::ui::qt {

struct ProgramInfo {
    std::string_view name;     // the command, e.g. "tilebash"
    std::string_view summary;  // one line saying what it is
    // Its menu entry's name without ".desktop", and its icon's: the windows'
    // app id on Wayland and class on X11.
    std::string_view desktopFileName{};
};

using MakeWindow = std::function<std::unique_ptr<ui::Window>(ui::Host&)>;

// Answers --help or --version without a display; leaves Qt its own options
// (-platform, -display, -style, -reverse ...), refuses any other argument
// (status 2), says in one line that there is no display (status 1).
// Otherwise makes the window model and its view, runs onLoad under the error
// boundary, shows the window, runs the event loop and returns the exit
// status (0 after endProgram or SIGTERM, 1 after a run-time error).
int runProgram(int argc, char** argv, const ProgramInfo& program, const MakeWindow& makeWindow);

// The QApplication's fonts, light palette and quitting only when the view
// ends it; the menu entry's name and icon where `program` names one
// (":/icons/<name>-<size>.png", see tilebash_window_icon).
void setUpApplication(const ProgramInfo& program);

}  // namespace tilebash::ui::qt
