// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <memory>
#include <string_view>

#include "ui/host.h"
#include "ui/qt/command_line.h"
#include "ui/window.h"

namespace tilebash::ui::qt {

using MakeWindow = std::function<std::unique_ptr<ui::Window>(ui::Host&)>;

// A program's start: answers or refuses its command line (before anything
// needs a display), then runs its window as below.
int runProgram(int argc, char** argv, const ProgramInfo& program, const MakeWindow& makeWindow);

// Creates the application, the host, the window model (by makeWindow) and its view; runs the
// window's onLoad under the error boundary; shows the window; runs the event loop; returns the
// exit status (0 after endProgram, 1 after a run-time error). The arguments go to Qt unread.
// The windows keep the style's light colours, and the desktop knows them by
// `desktopFileName` where one is given (desktop_identity.h).
int runProgram(int argc, char** argv, const MakeWindow& makeWindow,
               std::string_view desktopFileName = {});

}  // namespace tilebash::ui::qt
