// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <memory>

#include "ui/host.h"
#include "ui/qt/command_line.h"
#include "ui/window.h"

namespace tilebash::ui::qt {

using MakeWindow = std::function<std::unique_ptr<ui::Window>(ui::Host&)>;

// A program's start: answers --help or --version, refuses an argument that
// Qt does not take, or says that there is no display (each without one);
// otherwise creates the application, the host, the window model (by
// makeWindow) and its view, runs the window's onLoad under the error
// boundary, shows the window, runs the event loop and returns the exit
// status (0 after endProgram, 1 after a run-time error). The windows keep the
// style's light colours, and the desktop knows them by the program's
// `desktopFileName` where one is given (desktop_identity.h).
int runProgram(int argc, char** argv, const ProgramInfo& program, const MakeWindow& makeWindow);

}  // namespace tilebash::ui::qt
