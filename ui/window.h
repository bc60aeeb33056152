// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/controls.h"
#include "ui/host.h"

namespace tilebash::ui {

// A top-level window model: a caption, a client area without minimise and
// maximise buttons, and every control and timer it will ever have. A window
// class derives from this, holds its controls as members, registers them in
// its constructor (the order of registration is the drawing order of shapes
// and the default focus order) and wires their events to its handlers.
class Window {
  public:
    explicit Window(Host& host) : host_(host) {}
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window() = default;

    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& caption) { caption_ = caption; }
    // The program's title, the caption of its message boxes.
    const std::string& programTitle() const { return programTitle_; }
    void setProgramTitle(const std::string& title) { programTitle_ = title; }
    const Font& font() const { return font_; }

    double clientWidth() const { return clientWidth_; }
    double clientHeight() const { return clientHeight_; }
    void setClientSize(double width, double height);
    // The outer size adds the frame that the host draws around the client
    // area; setting it sets the client area to match.
    double outerWidth() const { return clientWidth_ + frameWidth_; }
    double outerHeight() const { return clientHeight_ + frameHeight_; }
    void setOuterWidth(double width) { setClientSize(width - frameWidth_, clientHeight_); }
    void setOuterHeight(double height) { setClientSize(clientWidth_, height - frameHeight_); }
    // What the frame adds around the client area, as the host knows it
    // before the window is first shown: the frame it draws itself, nothing
    // where the platform draws one.
    void setFrameExtents(double width, double height);

    // A window that is not sizable keeps its client size: the host asks the
    // window manager not to offer resizing or maximising. Managers that
    // ignore the request still can resize it; that reaches resizedByUser.
    bool sizable() const { return sizable_; }
    void setSizable(bool sizable) { sizable_ = sizable; }

    // The user has resized the window: the client area takes the new size,
    // then the timers that wake on a resize run.
    void resizedByUser(double clientWidth, double clientHeight);

    // Runs once, before the window is first shown.
    std::function<void()> onLoad;

    const std::vector<Control*>& controls() const { return controls_; }
    const std::vector<Timer*>& timers() const { return timers_; }

    Host& host() const { return host_; }
    void showMessage(const std::string& text) { host_.showMessage(text, programTitle_); }
    // Ends the program; the caller returns at once. The window is the one
    // record of the end, whoever ends the program: a handler, or the view
    // when it ends the program itself (an error, the window closed).
    void endProgram();
    bool ended() const { return ended_; }

  protected:
    // Registers a control under its design name, in `container` (registered
    // before it) or, with null, directly on the window (a shape always lies in
    // a surface). Its focus place is its registration order.
    void add(Control& control, const std::string& name, Surface* container = nullptr);
    void add(Timer& timer, const std::string& name);
    // "shpBrick(3)"
    static std::string indexed(const std::string& name, std::size_t index);

  private:
    Host& host_;
    std::string caption_;
    std::string programTitle_;
    Font font_;
    double clientWidth_ = 0;
    double clientHeight_ = 0;
    double frameWidth_ = 0;
    double frameHeight_ = 0;
    bool sizable_ = true;
    std::vector<Control*> controls_;
    std::vector<Timer*> timers_;
    bool ended_ = false;
};

}  // namespace tilebash::ui
