// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/control_views.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>

#include "ui/qt/fonts.h"
#include "ui/qt/twips.h"
#include "ui/qt/widgets.h"

namespace tilebash::ui::qt {

namespace {

QColor colorOf(const ui::Color& color, const QPalette& palette) {
    switch (color.role) {
        case ui::Color::Role::Rgb:
            return {color.rgb.red, color.rgb.green, color.rgb.blue};
        case ui::Color::Role::ButtonFace:
            return palette.color(QPalette::Button);
        case ui::Color::Role::Highlight:
            return palette.color(QPalette::Highlight);
        case ui::Color::Role::WindowText:
            return palette.color(QPalette::WindowText);
    }
    return {};
}

Qt::Alignment alignmentOf(ui::Alignment alignment) {
    switch (alignment) {
        case ui::Alignment::Center:
            return Qt::AlignHCenter | Qt::AlignTop;
        case ui::Alignment::Right:
            return Qt::AlignRight | Qt::AlignTop;
        case ui::Alignment::Left:
            break;
    }
    return Qt::AlignLeft | Qt::AlignTop;
}

template <typename T>
T& as(ui::Control& control) {
    return static_cast<T&>(control);
}

// Runs the control's handler, if it has one, through `call`.
void forward(const CallModel& call, const std::function<void()>& handler) {
    call([&handler] {
        if (handler) {
            handler();
        }
    });
}

// --- what every widget shows ----------------------------------------------

// Every property of a control is copied whenever the control has changed,
// whichever it was. Qt leaves most equal values alone by itself; where it
// would not (it would move, repaint or announce something again), the value
// is set only where it differs from what the widget shows.

// Its place and whether it is shown; answers whether it was shown or hidden.
// An option button of a group is placed, in its container's coordinates, by
// the group.
bool syncPlacement(const ControlView& view) {
    const ui::Control& control = *view.control;
    auto* group = dynamic_cast<OptionGroupWidget*>(view.widget->parentWidget());
    const QRect rect =
        toPixelRect(control.left(), control.top(), control.width(), control.height());
    if (group != nullptr) {
        group->place(view.widget, rect);
    } else if (view.widget->geometry() != rect) {
        // An equal geometry would still be marked as moved.
        view.widget->setGeometry(rect);
    }
    // Every widget is built hidden, so this differs the first time it shows.
    if (view.widget->isHidden() != control.visible()) {
        return false;
    }
    view.widget->setVisible(control.visible());
    if (group != nullptr) {
        group->showWithButtons();
    }
    return true;
}

// What a screen reader is told beyond the widget's kind and caption. Each
// name or description set is announced, so an equal one is not set again.
void syncAccessibility(const ControlView& view) {
    const QString name = QString::fromStdString(view.control->accessibleName());
    if (view.widget->accessibleName() != name) {
        view.widget->setAccessibleName(name);
    }
    const QString description = QString::fromStdString(view.control->accessibleDescription());
    if (view.widget->accessibleDescription() != description) {
        view.widget->setAccessibleDescription(description);
    }
}

// --- surface --------------------------------------------------------------

void buildSurface(ControlView& view, QWidget* parent, const CallModel& call) {
    auto* widget = new SurfaceWidget(parent);
    view.surface = widget;
    view.widget = widget;
    auto* surface = &as<ui::Surface>(*view.control);
    widget->onKeyDown = [call, surface](std::int16_t code, std::int16_t shift) {
        call([surface, code, shift] {
            if (surface->onKeyDown) {
                surface->onKeyDown(code, shift);
            }
        });
    };
    widget->canvas()->onMouse = [call, surface](MouseAction action, std::int16_t button,
                                                std::int16_t shift, QPointF at) {
        double x = toTwips(at.x());
        double y = toTwips(at.y());
        call([surface, action, button, shift, x, y] {
            const auto& handler = action == MouseAction::Down   ? surface->onMouseDown
                                  : action == MouseAction::Move ? surface->onMouseMove
                                                                : surface->onMouseUp;
            if (handler) {
                handler(button, shift, x, y);
            }
        });
    };
}

// --- label ----------------------------------------------------------------

// Whether a label takes clicks is fixed when it is built, by its handler:
// assistive technology then knows it as a button.
void buildLabel(ControlView& view, QWidget* parent, const CallModel& call) {
    auto* widget = new LabelWidget(parent);
    widget->setLineWidth(1);
    view.widget = widget;
    auto* label = &as<ui::Label>(*view.control);
    if (label->onClick) {
        widget->onClick = [call, label] { forward(call, label->onClick); };
    }
}

bool syncLabel(const ControlView& view) {
    const bool shownOrHidden = syncPlacement(view);
    auto& label = as<ui::Label>(*view.control);
    auto* widget = static_cast<LabelWidget*>(view.widget);
    widget->setText(QString::fromStdString(label.caption()));
    widget->setFont(toQFont(label.font()));
    widget->setAlignment(alignmentOf(label.alignment()));
    // A fixed-size label wraps its caption at word breaks; an auto-sized
    // one is as wide as its caption already. (An equal setting would lay
    // the label out and repaint it again.)
    if (widget->wordWrap() == label.autoSize()) {
        widget->setWordWrap(!label.autoSize());
    }
    // The system's button face is the background that is there anyway.
    const bool opaque = label.backColor().role != ui::Color::Role::ButtonFace;
    if (opaque) {
        QPalette palette = widget->palette();
        palette.setColor(QPalette::Window, colorOf(label.backColor(), palette));
        widget->setPalette(palette);
    }
    widget->setAutoFillBackground(opaque);
    // An equal frame style would repaint the label again.
    const int frameStyle = label.bordered() ? QFrame::Panel | QFrame::Sunken : QFrame::NoFrame;
    if (widget->frameStyle() != frameStyle) {
        widget->setFrameStyle(frameStyle);
    }
    return shownOrHidden;
}

// --- command button -------------------------------------------------------

void buildCommandButton(ControlView& view, QWidget* parent, const CallModel& call) {
    auto* widget = new QPushButton(parent);
    // Return and Enter click the button that has the focus, as Space does.
    // The window is no dialog, so there is no default button: in a text box
    // they press none.
    widget->setAutoDefault(true);
    widget->setDefault(false);
    view.widget = widget;
    auto* button = &as<ui::CommandButton>(*view.control);
    QObject::connect(widget, &QPushButton::clicked, widget,
                     [call, button] { forward(call, button->onClick); });
}

bool syncCommandButton(const ControlView& view) {
    const bool shownOrHidden = syncPlacement(view);
    auto& button = as<ui::CommandButton>(*view.control);
    static_cast<QPushButton*>(view.widget)->setText(QString::fromStdString(button.caption()));
    return shownOrHidden;
}

// --- text box -------------------------------------------------------------

void buildTextBox(ControlView& view, QWidget* parent, const CallModel& call) {
    auto* widget = new QLineEdit(parent);
    view.widget = widget;
    auto* box = &as<ui::TextBox>(*view.control);
    widget->setValidator(new TextBoxValidator(*box, widget));
    QObject::connect(widget, &QLineEdit::textEdited, widget, [call, box](const QString& text) {
        call([box, text] { box->setText(text.toStdString()); });
    });
}

bool syncTextBox(const ControlView& view) {
    const bool shownOrHidden = syncPlacement(view);
    auto& box = as<ui::TextBox>(*view.control);
    auto* widget = static_cast<QLineEdit*>(view.widget);
    QString text = QString::fromStdString(box.text());
    // The user's own edits are already there; only the program's changes
    // are copied (setting the text moves the cursor to the end and drops
    // the selection), and the cursor stays where it can.
    if (widget->text() != text) {
        int cursor = widget->cursorPosition();
        widget->setText(text);
        widget->setCursorPosition(std::min(cursor, static_cast<int>(text.size())));
    }
    return shownOrHidden;
}

// --- option button --------------------------------------------------------

// The widget of the option group `name` in `parent`, made when its first
// button is built; `parent` itself for a button of no named group.
QWidget* groupIn(QWidget* parent, const std::string& name) {
    if (name.empty()) {
        return parent;
    }
    const QString groupName = QString::fromStdString(name);
    for (auto* group : parent->findChildren<OptionGroupWidget*>(Qt::FindDirectChildrenOnly)) {
        if (group->accessibleName() == groupName) {
            return group;
        }
    }
    return new OptionGroupWidget(groupName, parent);
}

void buildOptionButton(ControlView& view, QWidget* parent, const CallModel& call) {
    auto* option = &as<ui::OptionButton>(*view.control);
    auto* widget = new OptionWidget(groupIn(parent, option->groupName()));
    view.widget = widget;
    QObject::connect(widget, &QRadioButton::clicked, widget,
                     [call, option] { call([option] { option->click(); }); });
}

bool syncOptionButton(const ControlView& view) {
    const bool shownOrHidden = syncPlacement(view);
    auto& option = as<ui::OptionButton>(*view.control);
    auto* widget = static_cast<OptionWidget*>(view.widget);
    widget->setText(QString::fromStdString(option.caption()));
    if (widget->isChecked() != option.value()) {
        QSignalBlocker blocker(widget);
        widget->setChecked(option.value());
    }
    return shownOrHidden;
}

// --- scroll bar -----------------------------------------------------------

void buildScrollBar(ControlView& view, QWidget* parent, const CallModel& call) {
    auto* widget = new QScrollBar(Qt::Vertical, parent);
    widget->setRange(0, ui::ScrollBar::kMaximum);
    widget->setPageStep(1);
    widget->setStyle(CompactScrollBarStyle::instance());
    widget->setFocusPolicy(Qt::StrongFocus);
    view.widget = widget;
    auto* bar = &as<ui::ScrollBar>(*view.control);
    QObject::connect(widget, &QScrollBar::valueChanged, widget, [call, bar, widget](int value) {
        const bool running = call([bar, value] { bar->setValue(value); });
        // Whatever the handlers made of it, the bar shows the model's value.
        if (running && widget->value() != bar->value()) {
            QSignalBlocker blocker(widget);
            widget->setValue(bar->value());
        }
    });
}

bool syncScrollBar(const ControlView& view) {
    const bool shownOrHidden = syncPlacement(view);
    auto& bar = as<ui::ScrollBar>(*view.control);
    auto* widget = static_cast<QScrollBar*>(view.widget);
    // The program's own changes are not the user's: no echo.
    if (widget->value() != bar.value()) {
        QSignalBlocker blocker(widget);
        widget->setValue(bar.value());
    }
    return shownOrHidden;
}

// --- shape ----------------------------------------------------------------

void buildShape(ControlView& view, CanvasWidget* canvas) {
    view.canvas = canvas;
    view.shapeSlot = canvas->addShape();
}

// The whole shape is handed over: the canvas itself leaves one that looks
// the same alone and repaints only where a changed one was and now is.
bool syncShape(const ControlView& view) {
    auto& shape = as<ui::Shape>(*view.control);
    PaintedShape painted{
        toPixelRectF(shape.left(), shape.top(), shape.width(), shape.height()),
        colorOf(shape.fillColor(), view.canvas->palette()),
        shape.form() == ui::Shape::Form::Circle,
        shape.visible(),
    };
    view.canvas->setShape(view.shapeSlot, painted);
    return false;
}

}  // namespace

bool takesFocus(ui::ControlKind kind) {
    switch (kind) {
        case ui::ControlKind::Surface:
        case ui::ControlKind::CommandButton:
        case ui::ControlKind::TextBox:
        case ui::ControlKind::OptionButton:
        case ui::ControlKind::ScrollBar:
            return true;
        case ui::ControlKind::Label:
        case ui::ControlKind::Shape:
            break;
    }
    return false;
}

void buildControl(ControlView& view, QWidget* parent, CanvasWidget* canvas, const CallModel& call) {
    switch (view.control->kind()) {
        case ui::ControlKind::Surface:
            buildSurface(view, parent, call);
            break;
        case ui::ControlKind::Label:
            buildLabel(view, parent, call);
            break;
        case ui::ControlKind::CommandButton:
            buildCommandButton(view, parent, call);
            break;
        case ui::ControlKind::TextBox:
            buildTextBox(view, parent, call);
            break;
        case ui::ControlKind::OptionButton:
            buildOptionButton(view, parent, call);
            break;
        case ui::ControlKind::ScrollBar:
            buildScrollBar(view, parent, call);
            break;
        case ui::ControlKind::Shape:
            buildShape(view, canvas);
            break;
    }
    if (view.widget != nullptr) {
        view.widget->setObjectName(QString::fromStdString(view.control->name()));
        // Shown by the first sync where the control is visible.
        view.widget->hide();
    }
}

bool syncControl(const ControlView& view) {
    if (view.widget != nullptr) {
        syncAccessibility(view);
    }
    switch (view.control->kind()) {
        case ui::ControlKind::Surface:
            // The border and the canvas follow the surface's size.
            return syncPlacement(view);
        case ui::ControlKind::Label:
            return syncLabel(view);
        case ui::ControlKind::CommandButton:
            return syncCommandButton(view);
        case ui::ControlKind::TextBox:
            return syncTextBox(view);
        case ui::ControlKind::OptionButton:
            return syncOptionButton(view);
        case ui::ControlKind::ScrollBar:
            return syncScrollBar(view);
        case ui::ControlKind::Shape:
            return syncShape(view);
    }
    return false;
}

}  // namespace tilebash::ui::qt
