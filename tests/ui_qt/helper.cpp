// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include "common/runtime_error.h"
#include "ui/qt/run_program.h"
#include "ui_qt/test_window.h"

// Runs the test window as a program whose end a test checks from outside.
// The first argument says how it ends:
//   timer-error  the first timer tick throws a run-time error
//   load-error   onLoad throws a run-time error
//   other-error  the first timer tick throws some other exception
//   end          the first timer tick ends the program
//   message      the first timer tick shows a message box
//   blocked      the first timer tick blocks in a read that nothing answers
//   run          it runs until it is closed or told to end
// Message boxes are reported on standard output and answered at once, or,
// with a second argument "keep-boxes", left open. The arguments after these
// are the program's command line.

namespace {

using tilebash::testing::TestWindow;
using tilebash::ui::qt::runProgram;

const tilebash::ui::qt::ProgramInfo kHelper{"ui_qt_helper", "The test window."};

void say(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

// Stands in for the user: reads each message box, says whether the window
// was up behind it, and presses OK unless told to leave it open.
void answerMessageBoxes(bool answer) {
    auto* timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, [answer] {
        static QPointer<QMessageBox> reported;
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible() || box == reported) {
            return;
        }
        bool windowShown = false;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            windowShown = windowShown || (widget != box && widget->isVisible());
        }
        say("box title: " + box->windowTitle().toStdString());
        say("box text: " + box->text().toStdString());
        say(std::string("box buttons: ") + std::to_string(box->buttons().size()));
        say(std::string("window shown: ") + (windowShown ? "yes" : "no"));
        if (answer) {
            box->accept();
        } else {
            reported = box;
        }
    });
    timer->start(10);
}

// What a call that waits for ever does when a signal comes.
void blockInARead() {
    int fds[2];
    if (::pipe(fds) != 0) {
        return;
    }
    say("blocking");
    char byte = 0;
    if (::read(fds[0], &byte, 1) < 0) {
        throw tilebash::RuntimeError(tilebash::ErrorCode::PathFileAccess, "a pipe",
                                     std::strerror(errno));
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    const bool keepBoxes = argc > 2 && std::string(argv[2]) == "keep-boxes";
    const int taken = std::min(argc - 1, keepBoxes ? 2 : 1);
    argv[taken] = argv[0];
    argc -= taken;
    argv += taken;
    return runProgram(argc, argv, kHelper, [mode, keepBoxes](tilebash::ui::Host& host) {
        answerMessageBoxes(!keepBoxes);
        auto window = std::make_unique<TestWindow>(host);
        TestWindow* w = window.get();
        if (mode == "load-error") {
            w->onLoad = [] {
                throw tilebash::RuntimeError(tilebash::ErrorCode::FileNotFound, "level3.wkl");
            };
            return window;
        }
        w->tmrTick.setEnabled(true);
        w->tmrTick.onTimer = [w, mode] {
            say("tick");
            if (mode == "timer-error") {
                throw tilebash::RuntimeError(tilebash::ErrorCode::FileNotFound, "options.wkp",
                                             "/home/player/store/options.wkp: No such file");
            }
            if (mode == "other-error") {
                throw std::out_of_range("brick index 35");
            }
            if (mode == "end") {
                w->endProgram();
                return;
            }
            if (mode == "message") {
                w->showMessage("A message");
            }
            if (mode == "blocked") {
                blockInARead();
            }
        };
        return window;
    });
}
