// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QPalette>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "ui/qt/run_program.h"

namespace tilebash::ui::qt {
namespace {

const QString kGame = QStringLiteral(TILEBASH_GAME);
const QString kEditor = QStringLiteral(TILEBASH_EDITOR);

// The real programs, started where there is no display at all (-platform
// offscreen needs none). Those that do not end by themselves within a second
// and a half get a request to end (SIGTERM).
TEST(StartUp, TheProgramsAnswerRefuseOrRunAndEndWithTheRightStatus) {
    QTemporaryDir empty;    // the working folder, with no files of the game's
    QTemporaryDir shipped;  // a copy of the shipped files
    QTemporaryDir runtime;  // XDG_RUNTIME_DIR, with no Wayland socket in it
    for (const auto& file : std::filesystem::directory_iterator(TILEBASH_DATA_DIR)) {
        std::filesystem::copy(file, shipped.path().toStdString());
    }
    const std::string usage = "Usage: tilebash [options]\n";
    const struct {
        const QString& program;
        const char* arguments;
        int status;
        std::string out;  // what standard output starts with
        std::string err;
        bool inShipped = false;  // else in an empty folder
        const char* launchError = nullptr;
        const char* outputFile = nullptr;
    } rows[] = {
        {kGame, "--help", 0, usage + "Tilebash, a brick-breaking arcade game.\nIt keeps its", ""},
        {kEditor, "-reverse --version", 0, "tilebash-editor " TILEBASH_VERSION "\n", ""},
        // an answer that cannot be written (a full disk) is no success
        {kGame, "--version", 1, "", "", false, nullptr, "/dev/full"},
        {kGame, "-platform offscreen -fullscreen", 2, "",
         "tilebash: Unknown argument '-fullscreen'.\n" + usage},
        {kEditor, "-style fusion", 1, "",
         "tilebash-editor: no display to open the window on (DISPLAY is not set); to run without "
         "one: tilebash-editor -platform offscreen\n"},
        // at the menu, as the close button does
        {kGame, "-platform offscreen -reverse", 0, "", "", true},
        // behind the error's box, with the error's status
        {kGame, "-platform offscreen", 1, "",
         "Run-time error '53': File not found (options.wkp): No such file or directory\n"},
        // behind the launcher's box, before any window
        {kEditor, "-platform offscreen", 1, "", "", true, "tilebash-editor: no folder"},
    };
    for (const auto& row : rows) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "WAYLAND_SOCKET", "XDG_SESSION_TYPE",
                                 "QT_QPA_PLATFORM"}) {
            environment.remove(QString::fromLatin1(name));
        }
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        if (row.launchError != nullptr) {
            environment.insert(QStringLiteral("TILEBASH_LAUNCH_ERROR"),
                               QString::fromUtf8(row.launchError));
        }
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(row.inShipped ? shipped.path() : empty.path());
        if (row.outputFile != nullptr) {
            process.setStandardOutputFile(QString::fromUtf8(row.outputFile));
        }
        process.start(row.program, QString::fromUtf8(row.arguments).split(u' '));
        if (!process.waitForFinished(1500)) {
            process.terminate();
            process.waitForFinished(10000);
        }
        const std::string what = row.program.toStdString() + " " + row.arguments;
        // less the offscreen platform's notes on what it cannot do
        const QString err =
            QString::fromUtf8(process.readAllStandardError())
                .remove(QRegularExpression(QStringLiteral("^This plugin does not support [^\n]*\n"),
                                           QRegularExpression::MultilineOption));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << what;
        EXPECT_EQ(process.exitCode(), row.status) << what;
        EXPECT_EQ(process.readAllStandardOutput().toStdString().substr(0, row.out.size()), row.out)
            << what;
        EXPECT_EQ(err.toStdString(), row.err) << what;
    }
}

// On a dark desktop the playfield would turn dark under the shapes, whose
// colours are fixed. The windows carry the icon built in, at every size an
// X11 window icon holds.
TEST(StartUp, TheWindowsKeepLightColoursAndCarryTheirMenuEntrysNameAndIcon) {
    const std::string name = "io.github.tilebash.Tilebash";
    QApplication::setPalette(QPalette(QColor(0x31, 0x36, 0x3b), QColor(0x23, 0x26, 0x29)));
    setUpApplication({"ui_qt_tests", "", name});
    EXPECT_GT(qGray(QApplication::palette().color(QPalette::Window).rgb()), 200);
    EXPECT_EQ(QGuiApplication::desktopFileName().toStdString(), name);
    const QIcon icon = QApplication::windowIcon();
    EXPECT_EQ(icon.availableSizes(),
              QList<QSize>({QSize(16, 16), QSize(32, 32), QSize(64, 64), QSize(128, 128)}));
    EXPECT_EQ(icon.pixmap(64).toImage().pixelColor(10, 40),
              QColor(0x16, 0x21, 0x4a));  // desktop/'s dark blue

    QGuiApplication::setDesktopFileName({});
    QApplication::setWindowIcon({});
}

}  // namespace
}  // namespace tilebash::ui::qt
