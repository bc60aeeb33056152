// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <ostream>
#include <string_view>

namespace tilebash::ui::qt {

struct ProgramInfo {
    std::string_view name;     // the command, e.g. "tilebash"
    std::string_view summary;  // one line saying what it is
    // The name of its menu entry without ".desktop", which is also its
    // icon's (desktop_identity.h).
    std::string_view desktopFileName{};
};

// The programs take no arguments of their own: only --help and --version are
// answered, first, wherever they stand and without a display. Returns the
// exit status when one was answered (0, or 1 when the answer could not be
// written), or nothing to go on.
std::optional<int> answerQuestion(int argc, const char* const* argv, const ProgramInfo& program,
                                  std::ostream& out);

// An option joined to an empty value ("-style=") is refused before Qt sees
// it: Qt would take it and do nothing, and the value was plainly forgotten.
// The usage on `err` and the exit status 2, or nothing.
std::optional<int> refuseEmptyValue(int argc, const char* const* argv, const ProgramInfo& program,
                                    std::ostream& err);

// What is left once Qt has taken its own options (-platform offscreen,
// -display :1, -style fusion, -reverse ...) out of the arguments, `argc` as
// Qt leaves it, is refused, so that a mistyped option never starts a window
// silently: the usage on `err` and the exit status 2. Nothing when only the
// program's name is left.
std::optional<int> refuseLeftOver(int argc, const ProgramInfo& program, std::ostream& err);

// What tells Qt where it can open a window: DISPLAY (X11), WAYLAND_DISPLAY
// and XDG_SESSION_TYPE (which make Qt try Wayland first), whether a Wayland
// compositor's socket is there, and QT_QPA_PLATFORM.
struct DisplayEnvironment {
    std::string_view display{};
    std::string_view waylandDisplay{};
    std::string_view sessionType{};
    // Where libwayland looks: the socket handed over in WAYLAND_SOCKET, or
    // WAYLAND_DISPLAY (by default wayland-0) in XDG_RUNTIME_DIR.
    bool waylandSocket = false;
    std::string_view platform{};
    static DisplayEnvironment current();
};

// Qt ends a program that finds no display with an abort, a core dump and a
// page of notes about its plugins. Where neither X11 nor Wayland has a
// display for the platform Qt will try (named by -platform or
// QT_QPA_PLATFORM; another one, as offscreen, needs none), this says so in
// one line, with the way to run anyway, and answers the exit status 1.
// Otherwise nothing, to go on.
std::optional<int> refuseWithoutDisplay(int argc, const char* const* argv,
                                        const ProgramInfo& program,
                                        const DisplayEnvironment& environment, std::ostream& err);

}  // namespace tilebash::ui::qt
