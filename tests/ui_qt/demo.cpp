// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include <memory>

#include "ui/qt/run_program.h"
#include "ui_qt/test_window.h"

// The test window as a program, to look at; it prints what reaches its handlers.
int main(int argc, char** argv) {
    const tilebash::ui::qt::ProgramInfo program{"ui_qt_demo", "The test window, to look at."};
    return tilebash::ui::qt::runProgram(argc, argv, program, [](tilebash::ui::Host& host) {
        auto window = std::make_unique<tilebash::testing::TestWindow>(host);
        window->echo = true;
        window->lblSide.setAutoSize(true);
        window->lblSide.setCaption("Which level do you want to edit (1-5)?");
        window->lblSide.setTop(4200);
        window->setClientSize(6000, 4560);
        window->lblScore.setCaption("12345");
        window->txtName.setText("Ada");
        window->cmdSide.setGeometry(0, 600, 1335, 255);
        window->cmdSide.setCaption("Change Level");
        return window;
    });
}
