// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/command_line.h"

#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace tilebash::ui::qt {
namespace {

const ProgramInfo kGame{"tilebash", "Tilebash, a brick-breaking game."};

struct Outcome {
    std::optional<int> status;
    std::string out;
    std::string err;
};

Outcome run(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "tilebash");
    std::ostringstream out;
    std::ostringstream err;
    const auto status =
        handleCommandLine(static_cast<int>(arguments.size()), arguments.data(), kGame, out, err);
    return {status, out.str(), err.str()};
}

TEST(CommandLine, WithoutArgumentsTheProgramGoesOnSilently) {
    const Outcome outcome = run({});
    EXPECT_FALSE(outcome.status.has_value());
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, "");
}

TEST(CommandLine, VersionIsOneLineOnStandardOutput) {
    const Outcome outcome = run({"--version"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, std::string("tilebash ") + TILEBASH_VERSION + "\n");
    EXPECT_EQ(outcome.err, "");
}

TEST(CommandLine, HelpStartsWithTheUsageAndNamesBothOptions) {
    const Outcome outcome = run({"--help"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out.rfind("Usage: tilebash [--help | --version]\n", 0), 0U) << outcome.out;
    EXPECT_NE(outcome.out.find(std::string(kGame.summary)), std::string::npos);
    EXPECT_NE(outcome.out.find("--version  "), std::string::npos);
    EXPECT_NE(outcome.out.find("Qt program (-platform"), std::string::npos);
    EXPECT_EQ(outcome.err, "");
}

// Qt takes them out of the arguments itself once it starts.
TEST(CommandLine, QtsOwnOptionsAreLeftToQtAlsoBesideAQuestion) {
    const std::vector<std::vector<const char*>> left = {
        {"-platform", "offscreen"},
        {"--platform", "offscreen"},
        {"-display", ":1", "-name", "tb", "-nograb"},
        {"-style", "fusion", "-reverse"},
        {"-style=fusion", "--stylesheet=a.qss", "-qmljsdebugger=port:1"},
        {"-qwindowgeometry", "600x400+0+0", "-geometry", "600x400", "-title", "T", "-session", "s"},
        {"-style", "--version"},  // a value, whatever it looks like
    };
    for (const auto& arguments : left) {
        const Outcome outcome = run(arguments);
        EXPECT_FALSE(outcome.status.has_value()) << arguments.front();
        EXPECT_EQ(outcome.out + outcome.err, "") << arguments.front();
    }
    const Outcome version = run({"-platform", "offscreen", "--version", "-reverse"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("tilebash ") + TILEBASH_VERSION + "\n");
}

TEST(CommandLine, AnyOtherArgumentsAreRefusedWithTheUsageOnStandardError) {
    const std::vector<std::vector<const char*>> refused = {
        {"-h"},
        {"--HELP"},
        {"--version=2"},
        {"editor"},
        {""},
        {"-platform"},  // its value missing
        {"--help", "--version"},
        {"--version", "--version"},
        {"-platform=offscreen"},  // Qt takes this one only as two arguments
        {"-fullscreen"},
        {"---reverse"},
        {"-style", "fusion", "extra"},
    };
    for (const auto& arguments : refused) {
        const Outcome outcome = run(arguments);
        EXPECT_EQ(outcome.status, 2) << arguments.front();
        EXPECT_EQ(outcome.out, "") << arguments.front();
        EXPECT_EQ(outcome.err, "Usage: tilebash [--help | --version]\n") << arguments.front();
    }
}

TEST(CommandLine, AnAnswerThatCannotBeWrittenIsAFailure) {
    for (const char* option : {"--help", "--version"}) {
        std::ostream broken(nullptr);
        std::ostringstream err;
        const std::vector<const char*> arguments = {"tilebash", option};
        EXPECT_EQ(handleCommandLine(2, arguments.data(), kGame, broken, err), 1) << option;
    }
}

// Over ssh, say: one line and status 1 rather than Qt's abort, wherever
// the platform Qt would try has no display.
TEST(CommandLine, WithoutADisplayForQtsPlatformTheProgramSaysSoInOneLine) {
    const struct {
        std::vector<const char*> arguments;
        DisplayEnvironment environment;
        std::string missing;  // what the line says is missing; nothing when it goes on
    } rows[] = {
        {{}, {}, "DISPLAY is not set"},
        {{}, {.sessionType = "tty"}, "DISPLAY is not set"},
        {{}, {.waylandSocket = true}, "DISPLAY is not set"},  // Qt tries only X11
        {{}, {.display = ":0"}, ""},
        {{}, {.waylandDisplay = "wayland-1", .waylandSocket = true}, ""},
        {{}, {.sessionType = "wayland", .waylandSocket = true}, ""},
        {{}, {.sessionType = "wayland"}, "no Wayland compositor is running and DISPLAY is not set"},
        {{}, {.display = ":0", .sessionType = "wayland"}, ""},
        {{"-display", ":1"}, {}, ""},
        {{"-platform", "offscreen"}, {}, ""},
        {{"--platform", "vnc:size=800x600"}, {}, ""},
        {{}, {.platform = "offscreen"}, ""},
        {{}, {.platform = "xcb"}, "DISPLAY is not set"},
        {{},
         {.waylandDisplay = "wayland-0", .waylandSocket = true, .platform = "xcb"},
         "DISPLAY is not set"},
        {{}, {.display = ":0", .platform = "wayland-egl"}, "no Wayland compositor is running"},
        {{}, {.display = ":0", .platform = "wayland;xcb"}, ""},
        {{"-platform", "xcb"},
         {.platform = "offscreen"},
         "DISPLAY is not set"},  // the argument wins
        {{"-style", "fusion"}, {}, "DISPLAY is not set"},
    };
    for (const auto& row : rows) {
        std::vector<const char*> arguments = row.arguments;
        arguments.insert(arguments.begin(), "tilebash");
        std::ostringstream err;
        const auto status = refuseWithoutDisplay(static_cast<int>(arguments.size()),
                                                 arguments.data(), kGame, row.environment, err);
        const bool refused = !row.missing.empty();
        const std::string line = refused ? "tilebash: no display to open the window on (" +
                                               row.missing +
                                               "); to run without one: tilebash -platform "
                                               "offscreen\n"
                                         : "";
        EXPECT_EQ(status, refused ? std::optional(1) : std::nullopt)
            << (arguments.size() > 1 ? arguments[1] : "") << " " << row.environment.platform;
        EXPECT_EQ(err.str(), line);
    }
}

}  // namespace
}  // namespace tilebash::ui::qt
