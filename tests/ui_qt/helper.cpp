// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>

#include <QApplication>
#include <QMessageBox>
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
//   run          it runs until it is closed or told to end
// Message boxes are answered at once and reported on standard output.

namespace {

using tilebash::testing::TestWindow;

void say(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

// Stands in for the user: reads each message box, says whether the window
// was up behind it, and presses OK.
void answerMessageBoxes() {
    auto* timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
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
        box->accept();
    });
    timer->start(10);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    return tilebash::ui::qt::runProgram(argc, argv, [mode](tilebash::ui::Host& host) {
        answerMessageBoxes();
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
        };
        return window;
    });
}
