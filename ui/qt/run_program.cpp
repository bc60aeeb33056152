// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/run_program.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include <QApplication>
#include <QDialog>
#include <QSocketNotifier>

#include "ui/qt/desktop_identity.h"
#include "ui/qt/fonts.h"
#include "ui/qt/light_palette.h"
#include "ui/qt/own_frame.h"
#include "ui/qt/window_view.h"

namespace tilebash::ui::qt {

namespace {

// Written to by the signal handler, read in the event loop.
int terminationPipe[2] = {-1, -1};

extern "C" void noteTermination(int /*signal*/) {
    // The interrupted code may be about to read errno.
    const int savedErrno = errno;
    const char byte = 1;
    // Nothing to do if it fails: the pipe already holds a note.
    [[maybe_unused]] const ssize_t written = ::write(terminationPipe[1], &byte, 1);
    errno = savedErrno;
}

// A request to end (the session ending, or a plain `kill`) closes the window
// as its close button does: the program ends with status 0 and runs no
// handler, so nothing is saved that Quit would save. A message box open at
// that moment is closed first: a fatal error's box then ends the program
// with the error's status 1. Without a window (the launcher's box) only the
// box is closed.
void closeForTermination(QWidget* window) {
    // Read empty, or the note would wake every pass of the event loop (a
    // message box's too) for as long as the program runs.
    char notes[64];
    while (::read(terminationPipe[0], notes, sizeof notes) > 0) {
    }
    if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        box->reject();
    }
    if (window != nullptr) {
        window->close();
    }
}

void closeOnTermination(QWidget* window) {
    if (::pipe2(terminationPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    auto* notifier = new QSocketNotifier(terminationPipe[0], QSocketNotifier::Read,
                                         QCoreApplication::instance());
    QObject* context = window != nullptr ? static_cast<QObject*>(window) : notifier;
    QObject::connect(notifier, &QSocketNotifier::activated, context,
                     [window] { closeForTermination(window); });
    struct sigaction action {};
    action.sa_handler = noteTermination;
    sigemptyset(&action.sa_mask);
    // Not restarted: a call that blocks returns (EINTR) rather than holding
    // the request off.
    action.sa_flags = 0;
    sigaction(SIGTERM, &action, nullptr);
}

// How many arguments Qt leaves of the command line when it starts on the
// offscreen platform, which needs no display. Qt takes its own options out of
// the arguments only as it starts a platform, and Qt ends a program without a
// display with an abort; the offscreen platform takes the same options as
// any other (the last -platform wins), except those that only the X11
// platform takes (-display, -name, -visual ...), which mean nothing where
// there is no X11 display to use them on. The platform is named twice: an
// option at the end that lacks its value takes the first name as its value,
// and the second "offscreen" is then left over, as the missing value makes
// the command line wrong.
int argumentsLeftOffscreen(int argc, char** argv) {
    std::vector<char*> arguments(argv, argv + argc);
    std::string platformOption = "-platform";
    std::string offscreen = "offscreen";
    for (int twice = 0; twice < 2; ++twice) {
        arguments.push_back(platformOption.data());
        arguments.push_back(offscreen.data());
    }
    int count = static_cast<int>(arguments.size());
    // Qt's notes on its start (no runtime folder, say) are not the program's.
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    { QApplication probe(count, arguments.data()); }
    qInstallMessageHandler(previous);
    return count;
}

}  // namespace

int runProgram(int argc, char** argv, const ProgramInfo& program, const MakeWindow& makeWindow) {
    if (const auto status = answerQuestion(argc, argv, program, std::cout)) {
        return *status;
    }
    if (const auto status = refuseEmptyValue(argc, argv, program, std::cerr)) {
        return *status;
    }
    std::ostringstream noDisplay;
    if (const auto status =
            refuseWithoutDisplay(argc, argv, program, DisplayEnvironment::current(), noDisplay)) {
        // A mistyped argument is told apart from the missing display.
        if (const auto refused =
                refuseLeftOver(argumentsLeftOffscreen(argc, argv), program, std::cerr)) {
            return *refused;
        }
        std::cerr << noDisplay.str() << std::flush;
        return *status;
    }
    // On X11, Qt hands every repaint to the server through shared memory
    // and then waits for the server's note that the memory is free again:
    // five wake-ups a frame where one would do. The repaints of a running
    // game are a few small rectangles, for which plain requests cost less.
    // Whoever sets the variable keeps the choice.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) {
        qputenv("QT_XCB_NO_MITSHM", "1");
    }
    // Qt takes its own options out of the arguments as it starts.
    QApplication application(argc, argv);
    if (const auto status = refuseLeftOver(argc, program, std::cerr)) {
        return *status;
    }
    // The view ends the program itself, with the status the model earned.
    QApplication::setQuitOnLastWindowClosed(false);
    installFontSubstitutes();
    useLightPalette();
    if (!program.desktopFileName.empty()) {
        setDesktopIdentity(
            QString::fromUtf8(program.desktopFileName.data(),
                              static_cast<qsizetype>(program.desktopFileName.size())));
    }

    WindowView view;
    std::unique_ptr<ui::Window> window;
    try {
        window = makeWindow(view);
    } catch (const std::exception& error) {
        view.reportError(error.what(), {});
        return 1;
    } catch (...) {
        view.reportError("Unknown error", {});
        return 1;
    }
    // The launcher could not prepare the player's folder: its message, shown
    // here, reaches a player who started the program from the menu.
    if (const char* failure = std::getenv("TILEBASH_LAUNCH_ERROR")) {
        // A request to end closes the box, and the program still ends with 1.
        closeOnTermination(nullptr);
        view.showMessage(failure, window->programTitle());
        return 1;
    }

    view.build(*window);
    const std::unique_ptr<OwnFrame> frame = ownFrameWhereNeeded(view);
    closeOnTermination(&view);
    view.load();
    if (view.finished()) {
        return view.exitStatus();
    }
    view.window()->show();
    return QApplication::exec();
}

}  // namespace tilebash::ui::qt
