// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/widgets.h"

#include <qdrawutil.h>
#include <algorithm>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QStyleOptionFocusRect>
#include <QStyleOptionSlider>

#include "ui/qt/key_map.h"

namespace tilebash::ui::qt {

namespace {

// The outline is drawn inside the shape's box, and antialiasing may touch
// the pixel beyond, so a repaint covers one pixel more on every side.
QRect repaintRectOf(const PaintedShape& shape) {
    return shape.rect.toAlignedRect().adjusted(-1, -1, 1, 1);
}

}  // namespace

CanvasWidget::CanvasWidget(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);
}

std::size_t CanvasWidget::addShape() {
    shapes_.emplace_back();
    return shapes_.size() - 1;
}

void CanvasWidget::setShape(std::size_t slot, const PaintedShape& shape) {
    PaintedShape& current = shapes_[slot];
    // A shape that a handler changed and put back is synced all the same,
    // and would repaint for nothing.
    if (current == shape) {
        return;
    }
    if (current.visible) {
        update(repaintRectOf(current));
    }
    if (shape.visible) {
        update(repaintRectOf(shape));
    }
    current = shape;
}

void CanvasWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    const QRect dirty = event->rect();
    for (const PaintedShape& shape : shapes_) {
        if (!shape.visible || !repaintRectOf(shape).intersects(dirty)) {
            continue;
        }
        // A one-pixel outline drawn on the half-pixel line stays inside the box.
        QRectF box = shape.rect.adjusted(0.5, 0.5, -0.5, -0.5);
        painter.setBrush(shape.fill);
        if (shape.circle) {
            painter.drawEllipse(box);
        } else {
            double radius = std::min(box.width(), box.height()) / 4;
            painter.drawRoundedRect(box, radius, radius);
        }
    }
}

void CanvasWidget::mousePressEvent(QMouseEvent* event) {
    report(MouseAction::Down, buttonCodeOf(event->button()), event);
}

void CanvasWidget::mouseMoveEvent(QMouseEvent* event) {
    report(MouseAction::Move, buttonCodeOf(event->buttons()), event);
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent* event) {
    report(MouseAction::Up, buttonCodeOf(event->button()), event);
}

void CanvasWidget::report(MouseAction action, std::int16_t buttons, QMouseEvent* event) {
    if (!onMouse) {
        event->ignore();
        return;
    }
    event->accept();
    // Qt rounds position() to whole pixels on its way from the window to a
    // child widget; the global position keeps the fraction that a high-DPI
    // screen delivers.
    QPointF at = mapFromGlobal(event->globalPosition());
    onMouse(action, buttons, shiftStateOf(event->modifiers()), at);
}

SurfaceWidget::SurfaceWidget(QWidget* parent) : QFrame(parent), canvas_(new CanvasWidget(this)) {
    // The classic two-pixel sunken border.
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    canvas_->setMouseTracking(true);
}

bool SurfaceWidget::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) && tabMovesFocus &&
            !tabMovesFocus()) {
            keyPressEvent(key);
            return true;
        }
    }
    return QFrame::event(event);
}

void SurfaceWidget::keyPressEvent(QKeyEvent* event) {
    // A key that a focused child left alone is not the surface's.
    if (!hasFocus() || !onKeyDown) {
        event->ignore();
        return;
    }
    // Every key is the focused surface's, Tab too where it reaches it, so
    // that none moves the focus on its way up; the model hears of those it
    // has a code for.
    event->accept();
    if (std::optional<std::int16_t> code = virtualKeyOf(event->key())) {
        onKeyDown(*code, shiftStateOf(event->modifiers()));
    }
}

void SurfaceWidget::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (!hasFocus()) {
        return;
    }
    // Over the whole surface, so that the canvas on top leaves only the
    // border to show it: the playfield itself looks the same.
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.backgroundColor = palette().color(QPalette::Window);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

void SurfaceWidget::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    canvas_->setGeometry(contentsRect());
}

LabelWidget::LabelWidget(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
}

void LabelWidget::mousePressEvent(QMouseEvent* event) {
    // Taken, not passed on to the surface below: the label is what was clicked.
    event->accept();
    if (event->button() == Qt::LeftButton) {
        pressed_ = true;
    }
}

void LabelWidget::mouseMoveEvent(QMouseEvent* event) {
    // A label holds the mouse while pressed: the surface below sees no moves.
    event->accept();
}

void LabelWidget::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton) {
        return;
    }
    bool inside = rect().contains(event->position().toPoint());
    bool wasPressed = pressed_;
    pressed_ = false;
    if (wasPressed && inside && onClick) {
        onClick();
    }
}

OptionWidget::OptionWidget(QWidget* parent) : QRadioButton(parent) {
    // The model keeps the group; Qt's own exclusivity would fight it.
    setAutoExclusive(false);
}

OptionGroupWidget::OptionGroupWidget(const QString& name, QWidget* parent) : QGroupBox(parent) {
    setAccessibleName(name);
    hide();  // until one of its buttons shows
}

void OptionGroupWidget::place(QWidget* button, const QRect& rect) {
    auto found = std::find_if(buttons_.begin(), buttons_.end(),
                              [button](const auto& entry) { return entry.first == button; });
    if (found == buttons_.end()) {
        buttons_.emplace_back(button, rect);
    } else if (found->second == rect) {
        return;  // a new mask would repaint the group
    } else {
        found->second = rect;
    }
    QRect bounds;
    for (const auto& entry : buttons_) {
        bounds |= entry.second;
    }
    setGeometry(bounds);
    QRegion mask;
    for (const auto& [member, place] : buttons_) {
        member->setGeometry(place.translated(-bounds.topLeft()));
        mask += member->geometry();
    }
    setMask(mask);
}

void OptionGroupWidget::showWithButtons() {
    setVisible(std::any_of(buttons_.begin(), buttons_.end(),
                           [](const auto& entry) { return !entry.first->isHidden(); }));
}

TextBoxValidator::TextBoxValidator(const ui::TextBox& box, QObject* parent)
    : QValidator(parent), box_(box) {}

QValidator::State TextBoxValidator::validate(QString& input, int& position) const {
    // Composed first: an accent that arrives as a combining mark after its
    // letter joins it, and the box may accept the accented letter where it
    // refuses the mark alone. The two sides of the cursor are composed apart
    // so that it stays between the same characters.
    const QString before = kept(input.left(position).normalized(QString::NormalizationForm_C));
    const QString after = kept(input.mid(position).normalized(QString::NormalizationForm_C));
    input = before + after;
    position = static_cast<int>(before.size());
    return Acceptable;
}

QString TextBoxValidator::kept(const QString& text) const {
    // The model decides, character by character, reading its rules afresh
    // each time: they may change. A character beyond the 16-bit range is two
    // code units here and one character there.
    QString kept;
    kept.reserve(text.size());
    for (char32_t character : text.toUcs4()) {
        if (box_.accepts(character)) {
            kept.append(QChar::fromUcs4(character));
        }
    }
    return kept;
}

namespace {

bool isCramped(const QStyleOptionComplex* option, const QStyle* base, const QWidget* widget) {
    const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
    if (bar == nullptr) {
        return false;
    }
    int length = bar->rect.height();
    int needed = 2 * base->pixelMetric(QStyle::PM_ScrollBarExtent, option, widget) +
                 base->pixelMetric(QStyle::PM_ScrollBarSliderMin, option, widget);
    return length < needed;
}

QRect halfOf(const QStyleOptionSlider& bar, bool lower) {
    QRect r = bar.rect;
    int half = r.height() / 2;
    return lower ? QRect(r.left(), r.top() + half, r.width(), r.height() - half)
                 : QRect(r.left(), r.top(), r.width(), half);
}

void drawArrowButton(QPainter* painter, const QStyleOptionSlider& bar, const QRect& rect,
                     bool pressed, bool pointsDown) {
    const QPalette& palette = bar.palette;
    qDrawShadePanel(painter, rect, palette, pressed, 1, &palette.brush(QPalette::Button));
    // A solid triangle drawn row by row on whole pixels, so that it stays
    // sharp at the few pixels a spinner has: as wide as the button allows,
    // two pixels inside the bevel, half as deep as it is wide.
    QRect inner = rect.adjusted(2, 2, -2, -2);
    if (pressed) {
        inner.translate(1, 1);
    }
    int depth = std::max(1, std::min((inner.width() + 1) / 2, inner.height()));
    int base = 2 * depth - 1;
    int start = inner.left() + (inner.width() - base) / 2;
    int first = inner.top() + (inner.height() - depth) / 2;
    // The bar is never disabled and its range never empty.
    const QColor color = palette.color(QPalette::Active, QPalette::ButtonText);
    for (int row = 0; row < depth; ++row) {
        // Row 0 is the tip.
        int at = pointsDown ? first + depth - 1 - row : first + row;
        painter->fillRect(QRect(start + (depth - 1 - row), at, 2 * row + 1, 1), color);
    }
}

}  // namespace

CompactScrollBarStyle* CompactScrollBarStyle::instance() {
    // Owned by the application, so it outlives every widget that uses it.
    static CompactScrollBarStyle* style = [] {
        auto* created = new CompactScrollBarStyle();
        created->setParent(QCoreApplication::instance());
        return created;
    }();
    return style;
}

QRect CompactScrollBarStyle::subControlRect(ComplexControl control,
                                            const QStyleOptionComplex* option,
                                            SubControl subControl, const QWidget* widget) const {
    if (control != CC_ScrollBar || !isCramped(option, baseStyle(), widget)) {
        return QProxyStyle::subControlRect(control, option, subControl, widget);
    }
    const auto& bar = *qstyleoption_cast<const QStyleOptionSlider*>(option);
    switch (subControl) {
        case SC_ScrollBarSubLine:
            return halfOf(bar, false);
        case SC_ScrollBarAddLine:
            return halfOf(bar, true);
        default:
            return {};
    }
}

QStyle::SubControl CompactScrollBarStyle::hitTestComplexControl(ComplexControl control,
                                                                const QStyleOptionComplex* option,
                                                                const QPoint& position,
                                                                const QWidget* widget) const {
    if (control != CC_ScrollBar || !isCramped(option, baseStyle(), widget)) {
        return QProxyStyle::hitTestComplexControl(control, option, position, widget);
    }
    const auto& bar = *qstyleoption_cast<const QStyleOptionSlider*>(option);
    if (halfOf(bar, false).contains(position)) {
        return SC_ScrollBarSubLine;
    }
    if (halfOf(bar, true).contains(position)) {
        return SC_ScrollBarAddLine;
    }
    return SC_None;
}

void CompactScrollBarStyle::drawComplexControl(ComplexControl control,
                                               const QStyleOptionComplex* option, QPainter* painter,
                                               const QWidget* widget) const {
    if (control != CC_ScrollBar || !isCramped(option, baseStyle(), widget)) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
    } else {
        const auto& bar = *qstyleoption_cast<const QStyleOptionSlider*>(option);
        bool sunken = bar.state.testFlag(State_Sunken);
        drawArrowButton(painter, bar, halfOf(bar, false),
                        sunken && bar.activeSubControls.testFlag(SC_ScrollBarSubLine), false);
        drawArrowButton(painter, bar, halfOf(bar, true),
                        sunken && bar.activeSubControls.testFlag(SC_ScrollBarAddLine), true);
    }
    if (control == CC_ScrollBar && option->state.testFlag(State_HasFocus)) {
        QStyleOptionFocusRect focus;
        static_cast<QStyleOption&>(focus) = *option;
        focus.backgroundColor = option->palette.color(QPalette::Window);
        baseStyle()->drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
    }
}

}  // namespace tilebash::ui::qt
