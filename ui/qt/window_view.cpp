// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/window_view.h"

#include <algorithm>
#include <cmath>
#include <cstdio>  // not <iostream>, whose streams cost every start 0.3 MB

#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>

#include "common/runtime_error.h"
#include "ui/qt/widgets.h"
#include "ui/qt/x11_window.h"

namespace tilebash::ui::qt {

namespace {

constexpr Qt::WindowFlags kWindowFlags = Qt::Window | Qt::CustomizeWindowHint |
                                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                         Qt::WindowCloseButtonHint;

// Qt tells a screen reader of a surface as a plain frame; it is a canvas.
QAccessibleInterface* surfaceAccessible(const QString& /*className*/, QObject* object) {
    auto* surface = dynamic_cast<SurfaceWidget*>(object);
    return surface != nullptr ? new QAccessibleWidget(surface, QAccessible::Canvas) : nullptr;
}

void showBox(const std::string& text, const std::string& title, QWidget* parent) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title),
                    QString::fromStdString(text), QMessageBox::Ok,
                    parent != nullptr && parent->isVisible() ? parent : nullptr);
    box.setTextFormat(Qt::PlainText);
    // Only the word OK, whatever icon the platform theme likes on buttons.
    box.button(QMessageBox::Ok)->setIcon(QIcon());
    box.exec();
}

template <typename Setter, typename Value, typename Current>
void setIfDifferent(const Current& current, const Value& value, Setter set) {
    if (current != value) {
        set(value);
    }
}

}  // namespace

WindowView::WindowView() : QWidget(nullptr, kWindowFlags) {
    static const bool accessibleSurfaces = (QAccessible::installFactory(surfaceAccessible), true);
    static_cast<void>(accessibleSurfaces);
}

WindowView::~WindowView() = default;

// --- building -------------------------------------------------------------

void WindowView::build(ui::Window& window) {
    window_ = &window;
    setFont(toQFont(window.font()));
    QWidget* lastFocusable = nullptr;
    for (ui::Control* control : window.controls()) {
        // A surface is registered, and so built, before what it holds.
        auto* surface = static_cast<SurfaceWidget*>(widgetOf(control->container()));
        QWidget* widget =
            makeWidget(*control, surface != nullptr ? surface->inner() : this, surface);
        if (widget == nullptr) {
            continue;
        }
        widget->setObjectName(QString::fromStdString(control->name()));
        widget->hide();  // until a refresh finds the control visible
        // The order of registration is the tab order.
        if ((widget->focusPolicy() & Qt::TabFocus) != 0) {
            if (lastFocusable != nullptr) {
                setTabOrder(lastFocusable, widget);
            }
            lastFocusable = widget;
        }
        bound_.push_back({control, widget});
    }
    // A screen reader reads a label's caption as its buddy's name.
    for (const Bound& bound : bound_) {
        if (auto* label = qobject_cast<QLabel*>(bound.widget)) {
            label->setBuddy(widgetOf(static_cast<ui::Label*>(bound.control)->buddy()));
        }
    }
    for (ui::Timer* timer : window.timers()) {
        // A timer that only undoes a resize needs no clock: the resize wakes it.
        if (timer->wake() == ui::Timer::Wake::EveryInterval) {
            auto* clock = new QTimer(this);
            // Never a coarse timer, not even for a second: Qt lets one come 5%
            // early or late, and a status that counts the frames of a second
            // would show 19 where 20 came.
            clock->setTimerType(Qt::PreciseTimer);
            connect(clock, &QTimer::timeout, this, [this, timer] {
                if (timer->enabled()) {
                    run(timer->onTimer);
                }
            });
            timers_.emplace_back(timer, clock);
        }
    }
    refresh();
}

QWidget* WindowView::widgetOf(const ui::Control* control) const {
    const auto found = std::find_if(bound_.begin(), bound_.end(),
                                    [control](const Bound& b) { return b.control == control; });
    return found != bound_.end() ? found->widget : nullptr;
}

QWidget* WindowView::makeWidget(ui::Control& control, QWidget* parent, SurfaceWidget* surface) {
    switch (control.kind()) {
        case ui::ControlKind::Surface: {
            auto* widget = new SurfaceWidget(static_cast<ui::Surface&>(control), *this, parent);
            surfaces_.push_back(widget);
            return widget;
        }
        case ui::ControlKind::Label: {
            auto& label = static_cast<ui::Label&>(control);
            if (!label.onClick) {
                auto* widget = new QLabel(parent);
                widget->setTextFormat(Qt::PlainText);
                return widget;
            }
            auto* widget = new ClickableLabel(parent);
            connect(widget, &QAbstractButton::clicked, this,
                    [this, &label] { run(label.onClick); });
            return widget;
        }
        case ui::ControlKind::CommandButton: {
            auto* widget = new QPushButton(parent);
            // Return and Enter click the focused button, as Space does; the
            // window is no dialog, so no button is the default.
            widget->setAutoDefault(true);
            auto& button = static_cast<ui::CommandButton&>(control);
            connect(widget, &QPushButton::clicked, this, [this, &button] { run(button.onClick); });
            return widget;
        }
        case ui::ControlKind::TextBox: {
            auto* widget = new QLineEdit(parent);
            auto& box = static_cast<ui::TextBox&>(control);
            widget->setValidator(new TextBoxValidator(box, widget));
            connect(widget, &QLineEdit::textEdited, this, [this, &box](const QString& text) {
                run([&box, &text] { box.setText(text.toStdString()); });
            });
            return widget;
        }
        case ui::ControlKind::OptionButton: {
            auto& option = static_cast<ui::OptionButton&>(control);
            QWidget* group =
                option.groupName().empty() ? parent : groupFor(option.groupName(), parent);
            auto* widget = new QRadioButton(group);
            connect(widget, &QRadioButton::clicked, this,
                    [this, &option] { run([&option] { option.click(); }); });
            return widget;
        }
        case ui::ControlKind::ScrollBar: {
            auto* widget = new QScrollBar(Qt::Vertical, parent);
            widget->setRange(0, ui::ScrollBar::kMaximum);
            widget->setPageStep(1);
            widget->setStyle(CompactScrollBarStyle::instance());
            widget->setFocusPolicy(Qt::StrongFocus);
            auto& bar = static_cast<ui::ScrollBar&>(control);
            connect(widget, &QScrollBar::valueChanged, this,
                    [this, &bar](int value) { run([&bar, value] { bar.setValue(value); }); });
            return widget;
        }
        case ui::ControlKind::Shape:
            surface->addShape(static_cast<ui::Shape&>(control));
            return nullptr;
    }
    return nullptr;
}

OptionGroup* WindowView::groupFor(const std::string& name, QWidget* parent) {
    const QString groupName = QString::fromStdString(name);
    for (OptionGroup* group : groups_) {
        if (group->parentWidget() == parent && group->accessibleName() == groupName) {
            return group;
        }
    }
    groups_.push_back(new OptionGroup(groupName, parent));
    return groups_.back();
}

void WindowView::load() {
    // The outer size that onLoad may read adds what the view's own frame
    // draws; what the platform draws is not known before the window shows,
    // and asking an X11 manager ahead costs a wait at every start.
    const QMargins margins = window()->contentsMargins();
    window_->setFrameExtents(toTwips(margins.left() + margins.right()),
                             toTwips(margins.top() + margins.bottom()));
    run(window_->onLoad);
}

// --- the boundary ---------------------------------------------------------

void WindowView::fail(const std::exception_ptr& error) {
    std::string text = "Unknown error";
    std::string line;
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& exception) {
        text = exception.what();
        line = diagnosticLine(exception);
    } catch (...) {
    }
    // Ended before the box opens, so that nothing runs behind it.
    stop(1);
    reportError(text, line);
    QCoreApplication::exit(1);
}

void WindowView::finish(int status) {
    stop(status);
    QCoreApplication::exit(status);
}

void WindowView::stop(int status) {
    window_->endProgram();
    exitStatus_ = status;
    for (auto& [timer, clock] : timers_) {
        clock->stop();
    }
}

TextExtent WindowView::measureText(const std::string& text, const Font& font) const {
    const QSizeF size = QFontMetricsF(toQFont(font)).size(0, QString::fromStdString(text));
    // Whole pixels, so that an auto-sized label is exactly as wide as its
    // widget and a rounding never clips the caption.
    return {toTwips(std::ceil(size.width())), toTwips(std::ceil(size.height()))};
}

void WindowView::showMessage(const std::string& text, const std::string& title) {
    refresh();
    showBox(text, title, window());
}

void WindowView::reportError(const std::string& text, const std::string& line) const {
    std::fprintf(stderr, "%s\n", (line.empty() ? text : line).c_str());
    showBox(text, window_ != nullptr ? window_->programTitle() : std::string(), window());
}

// --- refreshing -----------------------------------------------------------

// Every property is copied, each time. Qt leaves most equal values alone
// itself; where it would act on one again (move, lay out or repaint a
// widget, announce a name, move a text box's cursor), it is set only where it
// differs.
void WindowView::refresh() {
    if (window_ == nullptr || finished() || refreshing_) {
        return;
    }
    refreshing_ = true;
    refreshWindow();
    for (const Bound& bound : bound_) {
        refreshControl(bound);
    }
    for (OptionGroup* group : groups_) {
        const QList<QWidget*> buttons = group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        const bool shown = std::any_of(buttons.begin(), buttons.end(),
                                       [](const QWidget* button) { return !button->isHidden(); });
        setIfDifferent(!group->isHidden(), shown, [group](bool on) { group->setVisible(on); });
    }
    for (SurfaceWidget* surface : surfaces_) {
        surface->refreshShapes();
    }
    for (auto& [timer, clock] : timers_) {
        if (!timer->enabled() || timer->interval() <= 0) {
            clock->stop();
        } else if (!clock->isActive() || clock->interval() != timer->interval()) {
            clock->start(timer->interval());
        }
    }
    refreshing_ = false;
    keepFocus();
}

void WindowView::refreshWindow() {
    QWidget& shown = *window();
    const QMargins margins = shown.contentsMargins();
    setIfDifferent(shown.windowTitle(), QString::fromStdString(window_->caption()),
                   [&shown](const QString& title) { shown.setWindowTitle(title); });
    // In logical pixels, as every size here: the window manager gets them
    // multiplied by the screen's scale.
    const QSize size =
        QSize(toWholePixels(window_->clientWidth()), toWholePixels(window_->clientHeight())) +
        QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
    const QSize minimum = window_->sizable() ? QSize(0, 0) : size;
    const QSize maximum = window_->sizable() ? QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX) : size;
    if (shown.minimumSize() != minimum || shown.maximumSize() != maximum) {
        shown.setMinimumSize(minimum);
        shown.setMaximumSize(maximum);
        setMotifHints(shown, window_->sizable());
    }
    setIfDifferent(shown.size(), size, [&shown](const QSize& to) { shown.resize(to); });
}

// A hidden control is only kept hidden: whatever else it holds is copied
// when it shows again.
void WindowView::refreshControl(const Bound& bound) {
    const ui::Control& control = *bound.control;
    QWidget* widget = bound.widget;
    if (!control.visible()) {
        if (!widget->isHidden()) {
            widget->hide();
        }
        return;
    }
    QRect rect = pixelRectOf(control);
    if (auto* group = dynamic_cast<OptionGroup*>(widget->parentWidget())) {
        group->place(widget, rect);
    } else {
        setIfDifferent(widget->geometry(), rect,
                       [widget](const QRect& r) { widget->setGeometry(r); });
    }
    setIfDifferent(widget->accessibleName(), QString::fromStdString(control.accessibleName()),
                   [widget](const QString& name) { widget->setAccessibleName(name); });
    setIfDifferent(widget->accessibleDescription(),
                   QString::fromStdString(control.accessibleDescription()),
                   [widget](const QString& text) { widget->setAccessibleDescription(text); });
    switch (control.kind()) {
        case ui::ControlKind::Label: {
            const auto& label = static_cast<const ui::Label&>(control);
            const QString caption = QString::fromStdString(label.caption());
            // The system's button face is the background that is there anyway.
            const bool opaque = label.backColor().role != ui::Color::Role::ButtonFace;
            if (opaque) {
                QPalette palette = widget->palette();
                const QColor fill = colorOf(label.backColor(), palette);
                setIfDifferent(palette.color(widget->backgroundRole()), fill,
                               [&](const QColor& color) {
                                   palette.setColor(widget->backgroundRole(), color);
                                   widget->setPalette(palette);
                               });
            }
            widget->setAutoFillBackground(opaque);
            setIfDifferent(widget->font(), toQFont(label.font()),
                           [widget](const QFont& font) { widget->setFont(font); });
            if (auto* clickable = dynamic_cast<ClickableLabel*>(widget)) {
                clickable->setText(caption);
                clickable->setBordered(label.bordered());
                break;
            }
            auto* text = static_cast<QLabel*>(widget);
            text->setText(caption);
            const Qt::Alignment across =
                label.alignment() == ui::Alignment::Center  ? Qt::AlignHCenter
                : label.alignment() == ui::Alignment::Right ? Qt::AlignRight
                                                            : Qt::AlignLeft;
            setIfDifferent(text->alignment(), across | Qt::AlignTop,
                           [text](Qt::Alignment a) { text->setAlignment(a); });
            // A fixed-size label wraps its caption at word breaks; an
            // auto-sized one is as wide as its caption already.
            setIfDifferent(text->wordWrap(), !label.autoSize(),
                           [text](bool wrap) { text->setWordWrap(wrap); });
            setIfDifferent(text->frameStyle(),
                           label.bordered() ? QFrame::Panel | QFrame::Sunken : QFrame::NoFrame,
                           [text](int style) { text->setFrameStyle(style); });
            break;
        }
        case ui::ControlKind::CommandButton:
            static_cast<QPushButton*>(widget)->setText(
                QString::fromStdString(static_cast<const ui::CommandButton&>(control).caption()));
            break;
        case ui::ControlKind::TextBox: {
            auto* box = static_cast<QLineEdit*>(widget);
            const QString text =
                QString::fromStdString(static_cast<const ui::TextBox&>(control).text());
            // Setting the text moves the cursor to the end: the user's own
            // edits are there already, and the cursor stays where it can.
            if (box->text() != text) {
                const int cursor = box->cursorPosition();
                box->setText(text);
                box->setCursorPosition(std::min(cursor, static_cast<int>(text.size())));
            }
            break;
        }
        case ui::ControlKind::OptionButton: {
            const auto& option = static_cast<const ui::OptionButton&>(control);
            auto* button = static_cast<QRadioButton*>(widget);
            button->setText(QString::fromStdString(option.caption()));
            if (button->isChecked() != option.value()) {
                // Qt turns a button of a group off only by turning another on.
                button->setAutoExclusive(option.value());
                button->setChecked(option.value());
                button->setAutoExclusive(true);
            }
            break;
        }
        case ui::ControlKind::ScrollBar: {
            auto* bar = static_cast<QScrollBar*>(widget);
            const int value = static_cast<const ui::ScrollBar&>(control).value();
            if (bar->value() != value) {
                // The program's own change is no user's: no echo.
                const QSignalBlocker blocker(bar);
                bar->setValue(value);
            }
            break;
        }
        case ui::ControlKind::Surface:
        case ui::ControlKind::Shape:
            break;
    }
    if (widget->isHidden()) {
        widget->show();
    }
}

// After widgets were shown or hidden: a focus on a hidden widget moves to
// the first in the tab order that can take it, where nothing else can, the
// surface.
void WindowView::keepFocus() {
    const QWidget* current = window()->focusWidget();
    if (current != nullptr && current->isVisibleTo(this)) {
        return;
    }
    for (const Bound& bound : bound_) {
        if ((bound.widget->focusPolicy() & Qt::TabFocus) != 0 && bound.widget->isVisibleTo(this)) {
            bound.widget->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

// --- window events --------------------------------------------------------

// Hiding a screen's controls one by one would otherwise move the focus along
// the tab order once for each, and a screen reader would announce each.
bool WindowView::focusNextPrevChild(bool next) {
    return refreshing_ || QWidget::focusNextPrevChild(next);
}

void WindowView::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ParentChange && !isWindow() && window_ != nullptr) {
        // Taken into an own frame: its size is the frame's business now.
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        refreshWindow();
    }
}

void WindowView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The native window exists by now and is not mapped yet.
    QWidget& shown = *window();
    describeX11Window(shown, window_->sizable());
    if (!shownOnce_) {
        shownOnce_ = true;
        keepFocus();
    }
}

void WindowView::closeEvent(QCloseEvent* event) {
    // Closed by the user: the program ends at once, and no handler runs.
    event->accept();
    if (!finished()) {
        finish(0);
    }
}

void WindowView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Only a size that the model did not ask for is the user's.
    const QSize client = size();
    if (!refreshing_ && isVisible() &&
        (client.width() != toWholePixels(window_->clientWidth()) ||
         client.height() != toWholePixels(window_->clientHeight()))) {
        run([this, client] {
            window_->resizedByUser(toTwips(client.width()), toTwips(client.height()));
        });
    }
}

}  // namespace tilebash::ui::qt
