// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/command_line.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace tilebash::ui::qt {

namespace {

void writeUsage(std::ostream& stream, const ProgramInfo& program) {
    stream << "Usage: " << program.name << " [--help | --version]\n";
}

// A reader gone away (a closed pipe, a full disk) must not look like a
// successful answer.
int finish(std::ostream& out) {
    out.flush();
    return out ? 0 : 1;
}

// The value of the last of Qt's options `name` (without its dash), if any.
std::string_view qtOption(int argc, const char* const* argv, std::string_view name) {
    std::string_view value;
    for (int i = 1; i + 1 < argc; ++i) {
        std::string_view argument = argv[i];
        if (argument.size() > 1 && argument[0] == '-') {
            argument.remove_prefix(argument[1] == '-' ? 2 : 1);
            if (argument == name) {
                value = argv[++i];
            }
        }
    }
    return value;
}

std::string_view environmentVariable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

}  // namespace

std::optional<int> answerQuestion(int argc, const char* const* argv, const ProgramInfo& program,
                                  std::ostream& out) {
    const auto question =
        std::find_if(argv + std::min(argc, 1), argv + argc, [](const char* argument) {
            return std::string_view(argument) == "--help" ||
                   std::string_view(argument) == "--version";
        });
    if (question == argv + argc) {
        return std::nullopt;
    }
    if (std::string_view(*question) == "--version") {
        out << program.name << ' ' << TILEBASH_VERSION << '\n';
        return finish(out);
    }
    writeUsage(out, program);
    out << program.summary << '\n'
        << "It keeps its files in the folder it is started in.\n"
        << "  --help     show this help and exit\n"
        << "  --version  show the version and exit\n"
        << "The options of every Qt program (-platform, -display, -style, -reverse ...)\n"
        << "are taken as well.\n";
    return finish(out);
}

std::optional<int> refuseEmptyValue(int argc, const char* const* argv, const ProgramInfo& program,
                                    std::ostream& err) {
    const bool empty = std::any_of(argv + std::min(argc, 1), argv + argc, [](const char* argument) {
        const std::string_view text = argument;
        return text.starts_with('-') && text.ends_with('=');
    });
    return empty ? refuseLeftOver(argc, program, err) : std::nullopt;
}

std::optional<int> refuseLeftOver(int argc, const ProgramInfo& program, std::ostream& err) {
    if (argc <= 1) {
        return std::nullopt;
    }
    writeUsage(err, program);
    err.flush();
    return 2;
}

DisplayEnvironment DisplayEnvironment::current() {
    bool waylandSocket = !environmentVariable("WAYLAND_SOCKET").empty();
    if (!waylandSocket) {
        std::filesystem::path socket = environmentVariable("WAYLAND_DISPLAY");
        if (socket.empty()) {
            socket = "wayland-0";
        }
        const std::string_view runtime = environmentVariable("XDG_RUNTIME_DIR");
        if (socket.is_relative() && !runtime.empty()) {
            socket = std::filesystem::path(runtime) / socket;
        }
        struct stat info {};
        waylandSocket =
            socket.is_absolute() && ::stat(socket.c_str(), &info) == 0 && S_ISSOCK(info.st_mode);
    }
    return {environmentVariable("DISPLAY"), environmentVariable("WAYLAND_DISPLAY"),
            environmentVariable("XDG_SESSION_TYPE"), waylandSocket,
            environmentVariable("QT_QPA_PLATFORM")};
}

std::optional<int> refuseWithoutDisplay(int argc, const char* const* argv,
                                        const ProgramInfo& program,
                                        const DisplayEnvironment& environment, std::ostream& err) {
    const bool x11 = !environment.display.empty() || !qtOption(argc, argv, "display").empty();
    std::string_view platforms = qtOption(argc, argv, "platform");
    if (platforms.empty()) {
        platforms = environment.platform;
    }
    if (platforms.empty()) {
        // Qt's own choice where nothing names a platform.
        platforms = environment.sessionType == "wayland" || !environment.waylandDisplay.empty()
                        ? "wayland;xcb"
                        : "xcb";
    }
    // Qt tries each of a list "name:options;name..." in turn.
    std::string missing;
    while (!platforms.empty()) {
        const std::string_view entry = platforms.substr(0, platforms.find(';'));
        platforms.remove_prefix(std::min(platforms.size(), entry.size() + 1));
        const std::string_view name = entry.substr(0, entry.find(':'));
        const bool x11Missing = name == "xcb" && !x11;
        const bool waylandMissing = name.starts_with("wayland") && !environment.waylandSocket;
        if (!x11Missing && !waylandMissing) {
            return std::nullopt;
        }
        missing += missing.empty() ? "" : " and ";
        missing += x11Missing ? "DISPLAY is not set" : "no Wayland compositor is running";
    }
    err << program.name << ": no display to open the window on (" << missing
        << "); to run without one: " << program.name << " -platform offscreen" << std::endl;
    return 1;
}

}  // namespace tilebash::ui::qt
