// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/command_line.h"

#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

namespace tilebash::ui::qt {
namespace {

const ProgramInfo kGame{"tilebash", "Tilebash, a brick-breaking game."};

const std::string kUsage = "Usage: ui_qt_helper [--help | --version]\n";
const std::string kVersion = std::string("ui_qt_helper ") + TILEBASH_VERSION + "\n";
const std::string kNoDisplay =
    "ui_qt_helper: no display to open the window on (DISPLAY is not set); to run without one: "
    "ui_qt_helper -platform offscreen\n";

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

// The test window's program (ui_qt_helper) with `arguments`, where there is no
// display at all, its standard output going to `outputFile` if one is given.
Outcome runWithoutDisplay(const QStringList& arguments, const QString& outputFile) {
    QTemporaryDir runtimeFolder;  // holds no Wayland socket
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name :
         {"DISPLAY", "WAYLAND_DISPLAY", "WAYLAND_SOCKET", "XDG_SESSION_TYPE", "QT_QPA_PLATFORM"}) {
        environment.remove(QString::fromLatin1(name));
    }
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeFolder.path());
    QProcess process;
    process.setProcessEnvironment(environment);
    if (!outputFile.isEmpty()) {
        process.setStandardOutputFile(outputFile);
    }
    process.start(QStringLiteral(TILEBASH_VIEW_HELPER),
                  QStringList{QStringLiteral("run")} + arguments);
    EXPECT_TRUE(process.waitForFinished(20000)) << arguments.join(u' ').toStdString();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

// None of these needs a display: the answer, the refusal or the note that
// there is none comes before any window.
TEST(CommandLine, QuestionsAreAnsweredAndOtherArgumentsRefusedWithoutADisplay) {
    const QString help = QStringLiteral("--help");
    const QString version = QStringLiteral("--version");
    const struct {
        QStringList arguments;
        int status;
        std::string out;
        std::string err;
        QString outputFile{};
    } rows[] = {
        {{version}, 0, kVersion, ""},
        {{QStringLiteral("-platform"), QStringLiteral("offscreen"), version,
          QStringLiteral("-reverse")},
         0,
         kVersion,
         ""},
        {{QStringLiteral("-style"), QStringLiteral("fusion"), QStringLiteral("-bogus"), version},
         0,
         kVersion,
         ""},
        // an answer that cannot be written (a full disk) is no success
        {{version}, 1, "", "", QStringLiteral("/dev/full")},
        {{help}, 1, "", "", QStringLiteral("/dev/full")},
        // Qt's own options, taken by Qt: only the display is missing
        {{}, 1, "", kNoDisplay},
        {{QStringLiteral("-style"), QStringLiteral("fusion"), QStringLiteral("-reverse"),
          QStringLiteral("--stylesheet=a.qss"), QStringLiteral("-qwindowtitle"),
          QStringLiteral("T")},
         1,
         "",
         kNoDisplay},
        // what Qt does not take
        {{QStringLiteral("-h")}, 2, "", kUsage},
        {{QStringLiteral("--HELP")}, 2, "", kUsage},
        {{QStringLiteral("--version=2")}, 2, "", kUsage},
        {{QStringLiteral("editor")}, 2, "", kUsage},
        {{QString()}, 2, "", kUsage},
        {{QStringLiteral("-platform")}, 2, "", kUsage},            // its value missing
        {{QStringLiteral("-platform=offscreen")}, 2, "", kUsage},  // Qt takes it only as two
        {{QStringLiteral("-style=")}, 2, "", kUsage},              // an empty joined value
        {{QStringLiteral("-fullscreen")}, 2, "", kUsage},
        {{QStringLiteral("---reverse")}, 2, "", kUsage},
        {{QStringLiteral("-style"), QStringLiteral("fusion"), QStringLiteral("extra")},
         2,
         "",
         kUsage},
        // where Qt starts, on a platform that needs no display
        {{QStringLiteral("-platform"), QStringLiteral("offscreen"), QStringLiteral("extra")},
         2,
         "",
         kUsage},
    };
    for (const auto& row : rows) {
        const Outcome outcome = runWithoutDisplay(row.arguments, row.outputFile);
        const std::string arguments = row.arguments.join(u' ').toStdString();
        EXPECT_EQ(outcome.status, row.status) << arguments;
        EXPECT_EQ(outcome.out, row.out) << arguments;
        EXPECT_EQ(outcome.err, row.err) << arguments;
    }
}

TEST(CommandLine, HelpStartsWithTheUsageAndNamesBothOptions) {
    std::ostringstream out;
    const std::vector<const char*> arguments = {"tilebash", "-reverse", "--help"};
    EXPECT_EQ(answerQuestion(3, arguments.data(), kGame, out), 0);
    EXPECT_EQ(out.str().rfind("Usage: tilebash [--help | --version]\n", 0), 0U) << out.str();
    EXPECT_NE(out.str().find(std::string(kGame.summary)), std::string::npos);
    EXPECT_NE(out.str().find("--version  "), std::string::npos);
    EXPECT_NE(out.str().find("Qt program (-platform"), std::string::npos);
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
