// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include <QApplication>

#include "ui/qt/qt_host.h"
#include "ui/qt/run_program.h"
#include "ui/qt/window_view.h"

// The cost of the view's sync on a window the size of the game's: 35 shapes,
// 80 labels, a dozen buttons, a text box, option buttons and a spinner.

namespace {

using namespace tilebash;

class LargeWindow : public ui::Window {
  public:
    explicit LargeWindow(ui::Host& host) : Window(host) {
        setCaption("Bench");
        setClientSize(8385, 6300);
        add(pixField, "pixField");
        pixField.setGeometry(1080, 120, 7180, 6135);
        for (std::size_t i = 0; i < shapes.size(); ++i) {
            add(shapes[i], indexed("shpBrick", i), &pixField);
            shapes[i].setGeometry(600 + 840 * double(i % 7), 240 + 240 * double(i / 7), 735, 135);
            shapes[i].setFillColor(ui::Color::of({128, 0, 0}));
        }
        for (std::size_t i = 0; i < labels.size(); ++i) {
            add(labels[i], indexed("lblText", i), i < 8 ? nullptr : &pixField);
            labels[i].setGeometry(i < 8 ? 0 : 1320, 240 + 60 * double(i), 1815, 255);
            labels[i].setCaption("Label " + std::to_string(i));
        }
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            add(buttons[i], indexed("cmdButton", i), &pixField);
            buttons[i].setGeometry(2880, 2160 + 480 * double(i % 6), 1335, 375);
            buttons[i].setCaption("Button");
            buttons[i].setVisible(i < 5);
        }
        add(txtName, "txtName", &pixField);
        txtName.setGeometry(2040, 3480, 2895, 285);
        for (std::size_t i = 0; i < options.size(); ++i) {
            add(options[i], indexed("optLevel", i), &pixField);
            options[i].setGeometry(3480, 1680 + 360 * double(i), 975, 255);
        }
        add(vsbLevel, "vsbLevel", &pixField);
        vsbLevel.setGeometry(3610, 1305, 135, 255);
    }

    ui::Surface pixField;
    std::array<ui::Shape, 35> shapes;
    std::array<ui::Label, 80> labels;
    std::array<ui::CommandButton, 12> buttons;
    ui::TextBox txtName;
    std::array<ui::OptionButton, 3> options;
    ui::ScrollBar vsbLevel;
};

struct Fixture {
    Fixture() : window(host), view(window, host) {
        view.show();
        QApplication::processEvents();
    }
    // What a frame tick typically changes: the ball and the paddle move, the
    // score, lives and level labels are written.
    void frame(int n) {
        double step = (n % 2 == 0) ? 40 : -40;
        window.shapes[33].move(window.shapes[33].left() + step, window.shapes[33].top() - step);
        window.shapes[34].move(window.shapes[34].left() - step, window.shapes[34].top());
        window.labels[4].setCaption(captions[n % 2][0]);
        window.labels[5].setCaption(captions[n % 2][1]);
        window.labels[6].setCaption(captions[n % 2][2]);
    }

    ui::qt::QtHost host;
    LargeWindow window;
    ui::qt::WindowView view;
    const std::string captions[2][3] = {{"1234", "3", "Level: 2"}, {"1235", "2", "Level: 3"}};
};

void syncAfterAFrame(benchmark::State& state) {
    Fixture f;
    int n = 0;
    for (auto _ : state) {
        f.frame(n++);
        f.view.sync();
    }
    QApplication::processEvents();
}
BENCHMARK(syncAfterAFrame);

void syncWithNothingChanged(benchmark::State& state) {
    Fixture f;
    for (auto _ : state) {
        f.view.sync();
    }
}
BENCHMARK(syncWithNothingChanged);

// For scale: the same frame including Qt's repaint of what the sync marked.
void syncAndRepaintAfterAFrame(benchmark::State& state) {
    Fixture f;
    int n = 0;
    for (auto _ : state) {
        f.frame(n++);
        f.view.sync();
        QApplication::processEvents();
    }
}
BENCHMARK(syncAndRepaintAfterAFrame);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    ui::qt::setUpApplication({"view_sync_bench", ""});
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
