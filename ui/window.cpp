// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/window.h"

namespace tilebash::ui {

void Window::setCaption(const std::string& caption) {
    if (caption_ != caption) {
        caption_ = caption;
        touch();
    }
}

void Window::setClientSize(double width, double height) {
    if (clientWidth_ != width || clientHeight_ != height) {
        clientWidth_ = width;
        clientHeight_ = height;
        touch();
    }
}

void Window::setFrameExtents(double width, double height) {
    frameWidth_ = width;
    frameHeight_ = height;
}

void Window::setSizable(bool sizable) {
    if (sizable_ != sizable) {
        sizable_ = sizable;
        touch();
    }
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
    control.touch();
}

void Window::add(Timer& timer, const std::string& name) {
    timer.window_ = this;
    timer.name_ = name;
    timers_.push_back(&timer);
    timer.touch();
}

std::string Window::indexed(const std::string& name, std::size_t index) {
    return name + "(" + std::to_string(index) + ")";
}

}  // namespace tilebash::ui
