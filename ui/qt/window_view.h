// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <QWidget>

#include "ui/qt/control_views.h"
#include "ui/qt/focus_keeper.h"
#include "ui/qt/qt_host.h"
#include "ui/window.h"

class QTimer;

namespace tilebash::ui::qt {

// The Qt view of any window model. It builds one widget per control by its
// kind, forwards the user's events and the timers' ticks to the model's
// handlers, and after each one copies onto the widgets whatever the model
// changed. It decides nothing itself: the model is the one truth.
//
// Every call into the model runs under an error boundary: an exception is
// reported (standard error and a message box) and ends the program with
// status 1; once the program has ended, no handler runs and nothing syncs.
//
// The view is the window's client area. It is a window itself until another
// widget takes it in (own_frame.h); the caption, size and size limits go
// to whichever window it lies in, allowing for that window's contents
// margins.
class WindowView : public QWidget {
  public:
    WindowView(ui::Window& window, QtHost& host);
    ~WindowView() override;

    // Runs the window's onLoad under the error boundary.
    void load();

    // Copies all the properties of each control that changed since the last
    // sync onto its widget; a window where nothing changed costs nothing.
    void sync();

    // However it ended (a handler, an error, the window closed), the window
    // model holds that the program has ended.
    bool finished() const { return window_.ended(); }
    int exitStatus() const { return exitStatus_; }
    // Called once when the program ends (0 after endProgram or closing the
    // window, 1 after an error). By default the application quits.
    void setOnFinished(std::function<void(int)> onFinished) { onFinished_ = std::move(onFinished); }

  protected:
    // While the view syncs, a widget that hides does not pass the focus on:
    // the focus keeper moves it once the sync is done.
    bool focusNextPrevChild(bool next) override;
    // Taken into another window: the window's state goes there.
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    struct TimerView {
        ui::Timer* timer = nullptr;
        QTimer* qtimer = nullptr;  // none for a timer that wakes only on a resize
    };

    void build(ControlView& view);
    void setUpTimers();
    void setUpFocusOrder();
    void setUpBuddies();

    // Runs `call` into the model under the error boundary, then syncs.
    // Answers whether the program still runs.
    bool call(const std::function<void()>& call);
    void finish(int status);
    void stopTimers();

    // What the window the view lies in adds around it.
    QSize aroundView() const;
    void syncWindow();
    void syncTimer(TimerView& view);

    ui::Window& window_;
    QtHost& host_;
    std::vector<ControlView> views_;
    std::vector<TimerView> timers_;
    FocusKeeper focus_{*this};
    std::function<void(int)> onFinished_;
    std::uint64_t synced_ = 0;
    bool firstSync_ = true;
    int depth_ = 0;
    bool syncing_ = false;
    bool focusMayMove_ = false;
    bool shownOnce_ = false;
    int exitStatus_ = 0;
};

}  // namespace tilebash::ui::qt
