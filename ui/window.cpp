// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/window.h"

namespace tilebash::ui {

void Window::setClientSize(double width, double height) {
    clientWidth_ = width;
    clientHeight_ = height;
}

void Window::setFrameExtents(double width, double height) {
    frameWidth_ = width;
    frameHeight_ = height;
}

void Window::resizedByUser(double clientWidth, double clientHeight) {
    setClientSize(clientWidth, clientHeight);
    for (Timer* timer : timers_) {
        if (timer->wake() == Timer::Wake::WhenWindowResized && timer->enabled() && timer->onTimer) {
            timer->onTimer();
        }
    }
}

void Window::endProgram() {
    ended_ = true;
}

void Window::add(Control& control, const std::string& name, Surface* container) {
    control.window_ = this;
    control.name_ = name;
    control.container_ = container;
    control.tabIndex_ = static_cast<int>(controls_.size());
    controls_.push_back(&control);
}

void Window::add(Timer& timer, const std::string& name) {
    timer.name_ = name;
    timers_.push_back(&timer);
}

std::string Window::indexed(const std::string& name, std::size_t index) {
    return name + "(" + std::to_string(index) + ")";
}

}  // namespace tilebash::ui
