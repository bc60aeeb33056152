// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

// The test window runs as a program (ui_qt_helper), so that its exit status,
// its standard error and its message box can be seen from outside.
namespace {

struct Ending {
    int status = -1;
    std::string output;
    std::string errors;
};

Ending runHelper(const char* mode, const QProcessEnvironment& environment =
                                       QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TILEBASH_VIEW_HELPER), {QString::fromLatin1(mode)});
    EXPECT_TRUE(process.waitForFinished(20000)) << mode;
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

// Qt itself may add notes of its own to standard error; the report is one whole line.
bool hasLine(const std::string& text, const std::string& line) {
    return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
}

int count(const std::string& text, const std::string& what) {
    int n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++n;
    }
    return n;
}

// The box shows the message; the line on standard error adds what lies
// behind it.
TEST(ProgramEnd, ARunTimeErrorInAHandlerIsShownWrittenToStandardErrorAndEndsWithStatusOne) {
    Ending ending = runHelper("timer-error");
    EXPECT_EQ(ending.status, 1);
    EXPECT_TRUE(hasLine(ending.errors,
                        "Run-time error '53': File not found (options.wkp): "
                        "/home/player/store/options.wkp: No such file"))
        << ending.errors;
    EXPECT_NE(ending.output.find("box text: Run-time error '53': File not found (options.wkp)\n"),
              std::string::npos)
        << ending.output;
    EXPECT_NE(ending.output.find("box title: View Test 1.0\n"), std::string::npos);
    EXPECT_NE(ending.output.find("box buttons: 1\n"), std::string::npos);
    EXPECT_NE(ending.output.find("window shown: yes\n"), std::string::npos);
    EXPECT_EQ(count(ending.output, "tick"), 1);  // no handler ran after the error
}

TEST(ProgramEnd, AnErrorInOnLoadIsReportedBeforeAnyWindowIsShown) {
    Ending ending = runHelper("load-error");
    EXPECT_EQ(ending.status, 1);
    EXPECT_TRUE(hasLine(ending.errors, "Run-time error '53': File not found (level3.wkl)"))
        << ending.errors;
    EXPECT_NE(ending.output.find("window shown: no\n"), std::string::npos) << ending.output;
}

TEST(ProgramEnd, AnyOtherExceptionEndsWithStatusOneToo) {
    Ending ending = runHelper("other-error");
    EXPECT_EQ(ending.status, 1);
    EXPECT_TRUE(hasLine(ending.errors, "brick index 35")) << ending.errors;
    EXPECT_NE(ending.output.find("box text: brick index 35\n"), std::string::npos);
}

TEST(ProgramEnd, EndProgramQuitsWithStatusZeroOnceTheHandlerReturns) {
    Ending ending = runHelper("end");
    EXPECT_EQ(ending.status, 0);
    EXPECT_EQ(count(ending.output, "tick"), 1);
    EXPECT_EQ(ending.output.find("box"), std::string::npos);
}

// What a session that ends, or a plain kill, sends (SIGTERM) ends the
// program at once, whatever it is doing: at the menu as its close button
// would, with status 0; behind a fatal error's box, with the error's
// status 1; blocked in a call, interrupted. Each waits here at most ten
// seconds; before, the program behind a box ran on, busy, until the box was
// answered, and a blocked one never ended. A request that comes between the
// helper's "blocking" and its read cannot interrupt the read, so there the
// request is made again each second.
TEST(ProgramEnd, ARequestToTerminateEndsTheProgramWhateverItIsDoing) {
    const struct {
        const char* mode;
        const char* waitFor;  // on standard output, before the request
        int status;
        int requests;
    } cases[] = {
        {"run", "tick", 0, 1},
        {"message", "box text: A message", 0, 1},
        {"load-error", "box text: Run-time error '53'", 1, 1},
        {"timer-error", "box text: Run-time error '53'", 1, 1},
        {"blocked", "blocking", 1, 10},
    };
    for (const auto& c : cases) {
        QProcess process;
        process.start(QStringLiteral(TILEBASH_VIEW_HELPER),
                      {QString::fromLatin1(c.mode), QStringLiteral("keep-boxes")});
        std::string output;
        while (output.find(c.waitFor) == std::string::npos && process.waitForReadyRead(20000)) {
            output += process.readAllStandardOutput().toStdString();
        }
        ASSERT_NE(output.find(c.waitFor), std::string::npos) << c.mode << ": " << output;
        bool ended = false;
        for (int request = 0; request < c.requests && !ended; ++request) {
            process.terminate();
            ended = process.waitForFinished(10000 / c.requests);
        }
        if (!ended) {
            ADD_FAILURE() << c.mode << ": still running ten seconds after the request";
            continue;
        }
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << c.mode;
        EXPECT_EQ(process.exitCode(), c.status) << c.mode;
    }
}

// The launcher's message, when it could not prepare the player's folder,
// shown in a box before any window: a start from the menu has no terminal.
TEST(ProgramEnd, ALaunchersMessageIsShownInABoxAndEndsWithStatusOne) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TILEBASH_LAUNCH_ERROR"),
                       QStringLiteral("tilebash: cannot find the player's folder"));
    Ending ending = runHelper("run", environment);
    EXPECT_EQ(ending.status, 1);
    EXPECT_NE(ending.output.find("box text: tilebash: cannot find the player's folder\n"),
              std::string::npos)
        << ending.output;
    EXPECT_NE(ending.output.find("box title: View Test 1.0\n"), std::string::npos);
    EXPECT_NE(ending.output.find("window shown: no\n"), std::string::npos);
    EXPECT_EQ(count(ending.output, "tick"), 0);
}

}  // namespace
