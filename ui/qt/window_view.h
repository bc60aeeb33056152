// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <exception>
#include <string>
#include <type_traits>
#include <vector>

#include <QWidget>

#include "ui/host.h"
#include "ui/window.h"

class QTimer;

namespace tilebash::ui::qt {

class OptionGroup;
class SurfaceWidget;

// The Qt view of a window model, and its host. It builds a widget for each
// control, and each signal or event of a widget calls the control's handler
// through `run`; once the handler has returned, every control is copied onto
// its widget. The view is the window's client area, a window itself until
// an own frame takes it in (own_frame.h): the caption and the size go to
// whichever window it lies in.
class WindowView : public QWidget, public ui::Host {
  public:
    WindowView();
    ~WindowView() override;

    // Builds the widgets and timers of `window`, and shows the model on them.
    // The window outlives the view: a widget that goes may still ask its
    // control.
    void build(ui::Window& window);
    // Runs the window's onLoad, before the window first shows.
    void load();

    // However the program ended (a handler, an error, the window closed), the
    // model holds it; the event loop is then told to end with the status (0,
    // or 1 after an error).
    bool finished() const { return window_ != nullptr && window_->ended(); }
    int exitStatus() const { return exitStatus_; }

    TextExtent measureText(const std::string& text, const Font& font) const override;
    // Shows the model on the widgets first, so that the window behind the
    // box shows its state while the box waits.
    void showMessage(const std::string& text, const std::string& title) override;
    // A fatal error: `line` (or else `text`) to standard error, `text` in a box.
    void reportError(const std::string& text, const std::string& line) const;

    // The error boundary every handler runs under, then the refresh. One
    // handler at a time: a tick that comes while a handler's message box is
    // open is dropped, and none runs once the program has ended. An error
    // ends the program with status 1.
    template <typename Handler, typename... Args>
    void run(const Handler& handler, const Args&... args) {
        if (finished() || running_ || !isSet(handler)) {
            return;
        }
        running_ = true;
        try {
            handler(args...);
        } catch (...) {
            running_ = false;
            fail(std::current_exception());
            return;
        }
        running_ = false;
        if (finished()) {
            finish(0);
        } else {
            refresh();
        }
    }

  protected:
    // While the widgets are refreshed, a hidden one does not pass the focus
    // on along the tab order: keepFocus moves it once, after.
    bool focusNextPrevChild(bool next) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    struct Bound {
        ui::Control* control;
        QWidget* widget;
    };
    template <typename Handler>
    static bool isSet(const Handler& handler) {
        if constexpr (std::is_constructible_v<bool, Handler>) {
            return static_cast<bool>(handler);
        } else {
            return true;
        }
    }

    // The widget of `control`; none for null or a shape.
    QWidget* widgetOf(const ui::Control* control) const;
    QWidget* makeWidget(ui::Control& control, QWidget* parent, SurfaceWidget* surface);
    OptionGroup* groupFor(const std::string& name, QWidget* parent);
    void refresh();
    void refreshWindow();
    void refreshControl(const Bound& bound);
    void keepFocus();
    void fail(const std::exception_ptr& error);
    void finish(int status);
    void stop(int status);

    ui::Window* window_ = nullptr;
    std::vector<Bound> bound_;
    std::vector<SurfaceWidget*> surfaces_;
    std::vector<OptionGroup*> groups_;
    std::vector<std::pair<ui::Timer*, QTimer*>> timers_;
    bool running_ = false;
    bool refreshing_ = false;
    bool shownOnce_ = false;
    int exitStatus_ = 0;
};

}  // namespace tilebash::ui::qt
