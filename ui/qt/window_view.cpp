// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/window_view.h"

#include <algorithm>
#include <exception>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QTimer>

#include "common/runtime_error.h"
#include "ui/qt/accessibility.h"
#include "ui/qt/fonts.h"
#include "ui/qt/twips.h"
#include "ui/qt/widgets.h"
#include "ui/qt/x11_window.h"

namespace tilebash::ui::qt {

namespace {

constexpr Qt::WindowFlags kWindowFlags = Qt::Window | Qt::CustomizeWindowHint |
                                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                         Qt::WindowCloseButtonHint;

}  // namespace

WindowView::WindowView(ui::Window& window, QtHost& host)
    : QWidget(nullptr, kWindowFlags), window_(window), host_(host) {
    setFont(toQFont(window_.font()));
    onFinished_ = [](int status) { QCoreApplication::exit(status); };
    host_.setBeforeMessage([this] { sync(); });
    installAccessibleInterfaces();

    const std::vector<ui::Control*>& controls = window_.controls();
    views_.resize(controls.size());
    for (std::size_t i = 0; i < controls.size(); ++i) {
        views_[i].control = controls[i];
    }
    for (ControlView& view : views_) {
        build(view);
    }
    setUpTimers();
    setUpFocusOrder();
    setUpBuddies();
    sync();
}

WindowView::~WindowView() {
    host_.setBeforeMessage(nullptr);
    host_.setDialogParent(nullptr);
}

void WindowView::load() {
    // The window's outer size is part of what onLoad may measure, before the
    // window shows. Only what the program's own window adds around the view
    // is known then; what the platform draws around it is left out of the
    // outer size. That would cancel out all the same where the size is held
    // (the outer size set back, less the same extents, is the client size),
    // and asking an X11 manager for it ahead costs a wait at every start,
    // the whole wait where a manager says it answers and never does.
    const QSize around = aroundView();
    call([this, around] {
        window_.setFrameExtents(toTwips(around.width()), toTwips(around.height()));
        if (window_.onLoad) {
            window_.onLoad();
        }
    });
}

// --- building -------------------------------------------------------------

// A surface is registered, and so built, before what it holds.
void WindowView::build(ControlView& view) {
    QWidget* parent = this;
    CanvasWidget* canvas = nullptr;
    if (const ui::Surface* container = view.control->container()) {
        auto found = std::find_if(views_.begin(), views_.end(), [container](const ControlView& v) {
            return v.control == container;
        });
        canvas = found->surface->canvas();
        parent = canvas;
    }
    buildControl(view, parent, canvas,
                 [this](const std::function<void()>& handler) { return call(handler); });
}

void WindowView::setUpTimers() {
    for (ui::Timer* timer : window_.timers()) {
        TimerView view{timer, nullptr};
        // A timer that only undoes a resize needs no clock: the resize wakes it.
        if (timer->wake() == ui::Timer::Wake::EveryInterval) {
            view.qtimer = new QTimer(this);
            view.qtimer->setObjectName(QString::fromStdString(timer->name()));
            connect(view.qtimer, &QTimer::timeout, this, [this, timer] {
                call([timer] {
                    if (timer->enabled() && timer->onTimer) {
                        timer->onTimer();
                    }
                });
            });
        }
        timers_.push_back(view);
    }
}

// The views are in the order of registration, which is the focus order.
void WindowView::setUpFocusOrder() {
    for (const ControlView& view : views_) {
        if (view.surface != nullptr) {
            focus_.addSurface(view.surface);
        } else if (view.widget != nullptr && takesFocus(view.control->kind())) {
            focus_.add(view.widget);
        }
    }
}

// Assistive technology reads a label's caption as its buddy's name.
void WindowView::setUpBuddies() {
    for (const ControlView& view : views_) {
        if (view.control->kind() != ui::ControlKind::Label) {
            continue;
        }
        const ui::Control* buddy = static_cast<const ui::Label*>(view.control)->buddy();
        auto found = std::find_if(views_.begin(), views_.end(),
                                  [buddy](const ControlView& v) { return v.control == buddy; });
        if (buddy != nullptr && found != views_.end() && found->widget != nullptr) {
            static_cast<QLabel*>(view.widget)->setBuddy(found->widget);
        }
    }
}

// --- the boundary ---------------------------------------------------------

// The window model is the one record of the program's end: a handler ends
// it there, and so does the view when it ends the program itself (an error,
// the window closed). Then no handler runs and nothing syncs.

bool WindowView::call(const std::function<void()>& handler) {
    // One handler at a time (a tick that arrives while a message box of a
    // handler is open is dropped), and none once the program has ended.
    if (window_.ended() || depth_ > 0) {
        return !window_.ended();
    }
    std::string error;
    std::string line;
    bool failed = false;
    ++depth_;
    try {
        handler();
    } catch (const std::exception& exception) {
        failed = true;
        error = exception.what();
        line = diagnosticLine(exception);
    } catch (...) {
        failed = true;
        error = "Unknown error";
    }
    --depth_;
    if (failed) {
        // Ended before the box opens, so that nothing runs behind it.
        window_.endProgram();
        stopTimers();
        host_.reportError(error, window_.programTitle(), line);
        finish(1);
        return false;
    }
    if (window_.ended()) {
        finish(0);
        return false;
    }
    sync();
    return true;
}

void WindowView::stopTimers() {
    for (TimerView& timer : timers_) {
        if (timer.qtimer != nullptr) {
            timer.qtimer->stop();
        }
    }
}

void WindowView::finish(int status) {
    if (!window_.ended()) {
        window_.endProgram();
    }
    exitStatus_ = status;
    stopTimers();
    if (onFinished_) {
        auto onFinished = std::move(onFinished_);
        onFinished_ = nullptr;
        onFinished(status);
    }
}

// --- syncing --------------------------------------------------------------

void WindowView::sync() {
    if (window_.ended() || syncing_ || (!firstSync_ && window_.revision() == synced_)) {
        return;
    }
    syncing_ = true;
    const std::uint64_t since = synced_;
    if (firstSync_ || window_.ownRevision() > since) {
        syncWindow();
    }
    for (ControlView& view : views_) {
        if (firstSync_ || view.control->revision() > since) {
            focusMayMove_ |= syncControl(view);
        }
    }
    for (TimerView& timer : timers_) {
        if (firstSync_ || timer.timer->revision() > since) {
            syncTimer(timer);
        }
    }
    firstSync_ = false;
    synced_ = window_.revision();
    syncing_ = false;
    if (focusMayMove_) {
        focusMayMove_ = false;
        focus_.keep();
    }
}

QSize WindowView::aroundView() const {
    const QMargins margins = window()->contentsMargins();
    return {margins.left() + margins.right(), margins.top() + margins.bottom()};
}

void WindowView::syncWindow() {
    QWidget& shown = *window();
    const QString caption = QString::fromStdString(window_.caption());
    if (shown.windowTitle() != caption) {
        shown.setWindowTitle(caption);
    }
    const QSize size =
        QSize(toWholePixels(window_.clientWidth()), toWholePixels(window_.clientHeight())) +
        aroundView();
    // In logical pixels, as every size here: the window manager gets them
    // multiplied by the screen's scale.
    if (!window_.sizable()) {
        if (shown.minimumSize() != size || shown.maximumSize() != size) {
            shown.setFixedSize(size);
            setMotifHints(shown, false);
        }
    } else if (shown.minimumSize() != QSize(0, 0) ||
               shown.maximumSize() != QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX)) {
        shown.setMinimumSize(0, 0);
        shown.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        setMotifHints(shown, true);
    }
    if (shown.size() != size) {
        shown.resize(size);
    }
}

void WindowView::syncTimer(TimerView& view) {
    if (view.qtimer == nullptr) {
        return;
    }
    const ui::Timer& timer = *view.timer;
    if (!timer.enabled() || timer.interval() <= 0) {
        view.qtimer->stop();
        return;
    }
    if (!view.qtimer->isActive() || view.qtimer->interval() != timer.interval()) {
        // Never a coarse timer, even for a second: Qt lets one fire 5% early
        // or late, and a once-a-second status that counts the frame ticks
        // would then show 19 where 20 came, and a clock run 5% fast.
        view.qtimer->setTimerType(Qt::PreciseTimer);
        view.qtimer->start(timer.interval());
    }
}

// --- window events --------------------------------------------------------

// Hiding a screen's controls one by one would otherwise move the focus along
// the tab order once for each, and a screen reader would announce each.
bool WindowView::focusNextPrevChild(bool next) {
    if (syncing_) {
        return true;
    }
    return QWidget::focusNextPrevChild(next);
}

void WindowView::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ParentChange && !isWindow()) {
        // Its size is the window's business now.
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        syncWindow();
    }
}

void WindowView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The native window exists by now and is not mapped yet.
    QWidget& shown = *window();
    describeX11Window(shown, window_.sizable());
    host_.setDialogParent(&shown);
    if (!shownOnce_) {
        shownOnce_ = true;
        focus_.focusFirst();
    }
}

void WindowView::closeEvent(QCloseEvent* event) {
    // Closed by the user: the program ends at once, no handler runs.
    event->accept();
    if (!window_.ended()) {
        finish(0);
    }
}

void WindowView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (syncing_ || window_.ended() || !isVisible()) {
        return;
    }
    // Only a size that the model did not ask for is the user's.
    const QSize client = size();
    if (client.width() != toWholePixels(window_.clientWidth()) ||
        client.height() != toWholePixels(window_.clientHeight())) {
        double width = toTwips(client.width());
        double height = toTwips(client.height());
        call([this, width, height] { window_.resizedByUser(width, height); });
    }
}

}  // namespace tilebash::ui::qt
