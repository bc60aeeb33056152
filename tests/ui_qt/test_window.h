// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "ui/window.h"

namespace tilebash::testing {

// A small window with every kind of control, built only to drive the view.
// Its handlers write what reached them into `log`.
class TestWindow : public ui::Window {
  public:
    explicit TestWindow(ui::Host& host) : Window(host) {
        setCaption("View Test");
        setProgramTitle("View Test 1.0");

        add(lblSide, "lblSide");
        lblSide.setGeometry(0, 240, 1095, 255);
        lblSide.setCaption("Side:");
        add(cmdSide, "cmdSide");
        cmdSide.setGeometry(0, 600, 1095, 375);
        cmdSide.setCaption("Side");

        add(pixField, "pixField");
        pixField.setGeometry(1200, 120, 4560, 3960);
        pixField.setAccessibleName("Field");
        pixField.onKeyDown = [this](std::int16_t key, std::int16_t shift) {
            record("key " + std::to_string(key) + " " + std::to_string(shift));
        };
        pixField.onMouseDown = mouseLogger("down");
        pixField.onMouseMove = mouseLogger("move");
        pixField.onMouseUp = mouseLogger("up");

        add(shpBox, "shpBox", &pixField);
        shpBox.setGeometry(300, 300, 1500, 600);
        shpBox.setFillColor(ui::Color::of({0, 0, 128}));
        add(shpDot, "shpDot", &pixField);
        shpDot.setForm(ui::Shape::Form::Circle);
        shpDot.setGeometry(1200, 450, 600, 600);
        shpDot.setFillColor(ui::Color::of({255, 0, 0}));

        add(lblTitle, "lblTitle", &pixField);
        lblTitle.setFont({"MS Sans Serif", 13.5, true});
        lblTitle.setAutoSize(true);
        lblTitle.setGeometry(300, 1200, 0, 0);
        lblTitle.setCaption("Game over!");
        add(lblScore, "lblScore", &pixField);
        // Off whole pixels on every side (159.67, 79.67, 120.67, 16.67 pixels).
        lblScore.setGeometry(2395, 1195, 1810, 250);
        lblScore.setAlignment(ui::Alignment::Right);
        lblScore.setCaption("Score");
        add(lblSwatch, "lblSwatch", &pixField);
        lblSwatch.setGeometry(300, 1800, 495, 495);
        lblSwatch.setBordered(true);
        lblSwatch.setBackColor(ui::Color::highlight());
        lblSwatch.setAccessibleName("Swatch");
        lblSwatch.onClick = [this] { record("swatch"); };
        add(lblRed, "lblRed", &pixField);
        lblRed.setGeometry(900, 1800, 495, 495);
        lblRed.setBackColor(ui::Color::of({255, 0, 0}));

        add(lblName, "lblName", &pixField);
        lblName.setGeometry(1800, 1560, 900, 225);
        lblName.setCaption("Name:");
        lblName.setBuddy(txtName);
        add(txtName, "txtName", &pixField);
        txtName.setGeometry(1800, 1800, 2895 / 2, 285);
        txtName.setRejectedCharacters("\",");
        txtName.setCharacterSet(ui::CharacterSet::Windows1252);
        add(cmdGo, "cmdGo", &pixField);
        cmdGo.setGeometry(1800, 2280, 1335, 375);
        cmdGo.setCaption("Go");
        cmdGo.onClick = [this] { record("go"); };

        add(optEasy, "optEasy", &pixField);
        optEasy.setGeometry(300, 2760, 855, 255);
        optEasy.setCaption("Easy");
        optEasy.setGroupName("Speed");
        optEasy.onClick = [this] { record("easy"); };
        add(optHard, "optHard", &pixField);
        optHard.setGeometry(300, 3060, 855, 255);
        optHard.setCaption("Hard");
        optHard.setGroupName("Speed");
        optHard.onClick = [this] { record("hard"); };
        optEasy.setValue(true);

        add(vsbLevel, "vsbLevel", &pixField);
        vsbLevel.setGeometry(3610, 1305 - 600, 135, 255);
        // A spinner over 1..5: the handler puts a value outside back, nested.
        vsbLevel.onChange = [this] {
            record("level " + std::to_string(vsbLevel.value()));
            if (vsbLevel.value() > 5) {
                vsbLevel.setValue(1);
            } else if (vsbLevel.value() < 1) {
                vsbLevel.setValue(5);
            }
        };

        add(tmrTick, "tmrTick");
        tmrTick.setInterval(20);
        tmrTick.onTimer = [this] { record("tick"); };
        add(tmrHold, "tmrHold");
        tmrHold.setWake(ui::Timer::Wake::WhenWindowResized);
        tmrHold.setInterval(1);
        tmrHold.setEnabled(true);
        tmrHold.onTimer = [this] {
            record("hold");
            setClientSize(kWidth, kHeight);
        };

        setClientSize(kWidth, kHeight);
    }

    static constexpr double kWidth = 6000;
    static constexpr double kHeight = 4320;

    void record(std::string entry) {
        if (echo) {
            std::printf("%s\n", entry.c_str());
            std::fflush(stdout);
        }
        log.push_back(std::move(entry));
    }

    std::function<void(std::int16_t, std::int16_t, double, double)> mouseLogger(std::string what) {
        return [this, what](std::int16_t button, std::int16_t shift, double x, double y) {
            char line[96];
            std::snprintf(line, sizeof line, "%s %d %d %g %g", what.c_str(), button, shift, x, y);
            record(line);
        };
    }

    ui::Label lblSide;
    ui::CommandButton cmdSide;
    ui::Surface pixField;
    ui::Shape shpBox, shpDot;
    ui::Label lblTitle, lblScore, lblSwatch, lblRed, lblName;
    ui::TextBox txtName;
    ui::CommandButton cmdGo;
    ui::OptionButton optEasy, optHard;
    ui::ScrollBar vsbLevel;
    ui::Timer tmrTick, tmrHold;

    std::vector<std::string> log;
    bool echo = false;  // also print each entry, to watch a demo
};

}  // namespace tilebash::testing
