// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <memory>

#include "ui/host.h"
#include "ui/window.h"

namespace tilebash::ui::qt {

// Creates the application, the host, the window model (by makeWindow) and its view; runs the
// window's onLoad under the error boundary; shows the window; runs the event loop; returns the
// exit status (0 after endProgram, 1 after a run-time error).
int runProgram(int argc, char** argv,
               const std::function<std::unique_ptr<ui::Window>(ui::Host&)>& makeWindow);

}  // namespace tilebash::ui::qt
