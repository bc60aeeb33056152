// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/widgets.h"

#include <qdrawutil.h>
#include <algorithm>
#include <cmath>

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStyleOptionFrame>
#include <QStyleOptionSlider>

#include "ui/key_codes.h"
#include "ui/qt/window_view.h"

namespace tilebash::ui::qt {

int toWholePixels(double twips) {
    return static_cast<int>(std::lround(std::clamp(twips / kTwipsPerPixel, -1e7, 1e7)));
}

QRect pixelRectOf(const ui::Control& control) {
    return {toWholePixels(control.left()), toWholePixels(control.top()),
            toWholePixels(control.width()), toWholePixels(control.height())};
}

QFont toQFont(const ui::Font& font) {
    QFont result(QString::fromStdString(font.name));
    // Whatever the family resolves to, a missing font falls back to a sans-serif.
    result.setStyleHint(QFont::SansSerif);
    if (font.points > 0) {
        result.setPointSizeF(font.points);
    }
    result.setBold(font.bold);
    return result;
}

namespace {

std::int16_t shiftStateOf(Qt::KeyboardModifiers modifiers) {
    return static_cast<std::int16_t>((modifiers.testFlag(Qt::ShiftModifier) ? kShiftMask : 0) |
                                     (modifiers.testFlag(Qt::ControlModifier) ? kCtrlMask : 0) |
                                     (modifiers.testFlag(Qt::AltModifier) ? kAltMask : 0));
}

// Qt's left, right and middle buttons have the platform's codes.
static_assert(Qt::LeftButton == kLeftButton && Qt::RightButton == kRightButton &&
              Qt::MiddleButton == kMiddleButton);
std::int16_t buttonCodeOf(Qt::MouseButtons buttons) {
    return static_cast<std::int16_t>(buttons.toInt() &
                                     (kLeftButton | kRightButton | kMiddleButton));
}

// The outline lies inside the shape's box and antialiasing may touch the
// pixel beyond, so a repaint covers one pixel more on every side.
QRect repaintRectOf(const QRectF& rect) {
    return rect.toAlignedRect().adjusted(-1, -1, 1, 1);
}

}  // namespace

QColor colorOf(const ui::Color& color, const QPalette& palette) {
    switch (color.role) {
        case ui::Color::Role::Rgb:
            return {color.rgb.red, color.rgb.green, color.rgb.blue};
        case ui::Color::Role::Highlight:
            return palette.color(QPalette::Highlight);
        case ui::Color::Role::ButtonFace:
            break;
    }
    return palette.color(QPalette::Button);
}

SurfaceWidget::SurfaceWidget(ui::Surface& surface, WindowView& view, QWidget* parent)
    : QFrame(parent), surface_(surface), view_(view), inner_(new QWidget(this)) {
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    inner_->setAutoFillBackground(true);
    inner_->setMouseTracking(true);
    inner_->installEventFilter(this);
}

void SurfaceWidget::refreshShapes() {
    for (Painted& painted : shapes_) {
        const ui::Shape& shape = *painted.shape;
        const QRectF rect(shape.left() / kTwipsPerPixel, shape.top() / kTwipsPerPixel,
                          shape.width() / kTwipsPerPixel, shape.height() / kTwipsPerPixel);
        const QColor fill = colorOf(shape.fillColor(), palette());
        if (rect == painted.rect && shape.visible() == painted.visible && fill == painted.fill) {
            continue;
        }
        if (painted.visible) {
            inner_->update(repaintRectOf(painted.rect));
        }
        if (shape.visible()) {
            inner_->update(repaintRectOf(rect));
        }
        painted = {&shape, rect, shape.visible(), fill};
    }
}

bool SurfaceWidget::eventFilter(QObject* /*watched*/, QEvent* event) {
    switch (event->type()) {
        case QEvent::Paint:
            paintShapes(static_cast<QPaintEvent*>(event));
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseMove:
        case QEvent::MouseButtonRelease:
            reportMouse(static_cast<QMouseEvent*>(event));
            return true;
        default:
            return false;
    }
}

void SurfaceWidget::paintShapes(QPaintEvent* event) {
    QPainter painter(inner_);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    for (const Painted& painted : shapes_) {
        if (!painted.visible || !repaintRectOf(painted.rect).intersects(event->rect())) {
            continue;
        }
        // A one-pixel outline on the half-pixel line stays inside the box.
        const QRectF box = painted.rect.adjusted(0.5, 0.5, -0.5, -0.5);
        painter.setBrush(painted.fill);
        if (painted.shape->form() == ui::Shape::Form::Circle) {
            painter.drawEllipse(box);
        } else {
            const double radius = std::min(box.width(), box.height()) / 4;
            painter.drawRoundedRect(box, radius, radius);
        }
    }
}

void SurfaceWidget::reportMouse(QMouseEvent* event) {
    const auto* handler = event->type() == QEvent::MouseButtonPress ? &surface_.onMouseDown
                          : event->type() == QEvent::MouseMove      ? &surface_.onMouseMove
                                                                    : &surface_.onMouseUp;
    // The held buttons on a move, else the one pressed or released.
    const std::int16_t button = buttonCodeOf(
        event->type() == QEvent::MouseMove ? event->buttons() : Qt::MouseButtons(event->button()));
    // Qt rounds position() to whole pixels on its way to a child widget; the
    // global position keeps the fraction that a high-DPI screen delivers.
    const QPointF at = inner_->mapFromGlobal(event->globalPosition());
    view_.run(*handler, button, shiftStateOf(event->modifiers()), toTwips(at.x()), toTwips(at.y()));
}

void SurfaceWidget::keyPressEvent(QKeyEvent* event) {
    // Every key is the focused surface's, so that none moves the focus on its
    // way up; the model hears of those it has a code for.
    const std::int16_t code = event->key() == Qt::Key_Escape  ? kKeyEscape
                              : event->key() == Qt::Key_Left  ? kKeyLeft
                              : event->key() == Qt::Key_Right ? kKeyRight
                                                              : std::int16_t{0};
    if (code != 0) {
        view_.run(surface_.onKeyDown, code, shiftStateOf(event->modifiers()));
    }
}

void SurfaceWidget::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (hasFocus()) {
        // Over the whole surface: the inner area on top leaves it on the border.
        QPainter painter(this);
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.backgroundColor = palette().color(QPalette::Window);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void SurfaceWidget::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    inner_->setGeometry(contentsRect());
}

ClickableLabel::ClickableLabel(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::NoFocus);
}

void ClickableLabel::setBordered(bool bordered) {
    if (bordered_ != bordered) {
        bordered_ = bordered;
        update();
    }
}

// As QLabel paints a caption inside a QFrame's panel.
void ClickableLabel::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    QStyleOptionFrame frame;
    frame.initFrom(this);
    if (bordered_) {
        frame.frameShape = QFrame::Panel;
        frame.state |= QStyle::State_Sunken;
        frame.lineWidth = 1;
        style()->drawControl(QStyle::CE_ShapedFrame, &frame, &painter, this);
    }
    style()->drawItemText(&painter, rect().adjusted(1, 1, -1, -1), Qt::AlignLeft | Qt::AlignTop,
                          palette(), true, text(), QPalette::WindowText);
}

OptionGroup::OptionGroup(const QString& name, QWidget* parent) : QGroupBox(parent) {
    setAccessibleName(name);
}

void OptionGroup::place(QWidget* button, const QRect& rect) {
    if (button->geometry().translated(pos()) == rect) {
        return;  // a new mask would repaint the group
    }
    // The group spans its buttons; their places in it follow.
    QRect bounds = rect;
    std::vector<std::pair<QWidget*, QRect>> places;
    for (auto* member : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QRect place = member == button ? rect : member->geometry().translated(pos());
        places.emplace_back(member, place);
        bounds |= place;
    }
    setGeometry(bounds);
    QRegion mask;
    for (auto& [member, place] : places) {
        member->setGeometry(place.translated(-bounds.topLeft()));
        mask += member->geometry();
    }
    setMask(mask);
}

QValidator::State TextBoxValidator::validate(QString& input, int& position) const {
    // Composed first: an accent that arrives as a combining mark after its
    // letter joins it, and the box may take the accented letter where it
    // refuses the mark alone. The two sides of the cursor are composed apart
    // so that it stays between the same characters.
    const QString before = kept(input.left(position).normalized(QString::NormalizationForm_C));
    const QString after = kept(input.mid(position).normalized(QString::NormalizationForm_C));
    input = before + after;
    position = static_cast<int>(before.size());
    return Acceptable;
}

QString TextBoxValidator::kept(const QString& text) const {
    // A character beyond the 16-bit range is two code units here, one there.
    QString kept;
    for (char32_t character : text.toUcs4()) {
        if (box_.accepts(character)) {
            kept.append(QChar::fromUcs4(character));
        }
    }
    return kept;
}

namespace {

QRect halfOf(const QStyleOptionComplex& bar, bool lower) {
    const QRect r = bar.rect;
    const int half = r.height() / 2;
    return lower ? QRect(r.left(), r.top() + half, r.width(), r.height() - half)
                 : QRect(r.left(), r.top(), r.width(), half);
}

// A solid triangle drawn row by row on whole pixels, so that it stays sharp
// at the few pixels a spinner has: as wide as the button allows, two pixels
// inside the bevel, half as deep as it is wide.
void drawArrowButton(QPainter* painter, const QStyleOptionComplex& bar, bool lower, bool pressed) {
    const QRect rect = halfOf(bar, lower);
    const QPalette& palette = bar.palette;
    qDrawShadePanel(painter, rect, palette, pressed, 1, &palette.brush(QPalette::Button));
    QRect inner = rect.adjusted(2, 2, -2, -2).translated(pressed ? 1 : 0, pressed ? 1 : 0);
    const int depth = std::max(1, std::min((inner.width() + 1) / 2, inner.height()));
    const int start = inner.left() + (inner.width() - (2 * depth - 1)) / 2;
    const int first = inner.top() + (inner.height() - depth) / 2;
    // The bar is never disabled and its range never empty.
    const QColor color = palette.color(QPalette::Active, QPalette::ButtonText);
    for (int row = 0; row < depth; ++row) {  // row 0 is the tip
        const int y = lower ? first + depth - 1 - row : first + row;
        painter->fillRect(QRect(start + (depth - 1 - row), y, 2 * row + 1, 1), color);
    }
}

}  // namespace

CompactScrollBarStyle* CompactScrollBarStyle::instance() {
    static CompactScrollBarStyle* style = [] {
        auto* created = new CompactScrollBarStyle();
        created->setParent(QCoreApplication::instance());
        return created;
    }();
    return style;
}

bool CompactScrollBarStyle::cramped(const QStyleOptionComplex* option,
                                    const QWidget* widget) const {
    const int needed = 2 * baseStyle()->pixelMetric(PM_ScrollBarExtent, option, widget) +
                       baseStyle()->pixelMetric(PM_ScrollBarSliderMin, option, widget);
    return qstyleoption_cast<const QStyleOptionSlider*>(option) != nullptr &&
           option->rect.height() < needed;
}

QRect CompactScrollBarStyle::subControlRect(ComplexControl control,
                                            const QStyleOptionComplex* option,
                                            SubControl subControl, const QWidget* widget) const {
    if (control != CC_ScrollBar || !cramped(option, widget)) {
        return QProxyStyle::subControlRect(control, option, subControl, widget);
    }
    return subControl == SC_ScrollBarSubLine   ? halfOf(*option, false)
           : subControl == SC_ScrollBarAddLine ? halfOf(*option, true)
                                               : QRect();
}

QStyle::SubControl CompactScrollBarStyle::hitTestComplexControl(ComplexControl control,
                                                                const QStyleOptionComplex* option,
                                                                const QPoint& position,
                                                                const QWidget* widget) const {
    if (control != CC_ScrollBar || !cramped(option, widget)) {
        return QProxyStyle::hitTestComplexControl(control, option, position, widget);
    }
    return halfOf(*option, false).contains(position)  ? SC_ScrollBarSubLine
           : halfOf(*option, true).contains(position) ? SC_ScrollBarAddLine
                                                      : SC_None;
}

void CompactScrollBarStyle::drawComplexControl(ComplexControl control,
                                               const QStyleOptionComplex* option, QPainter* painter,
                                               const QWidget* widget) const {
    if (control != CC_ScrollBar || !cramped(option, widget)) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
    } else {
        const bool sunken = option->state.testFlag(State_Sunken);
        drawArrowButton(painter, *option, false,
                        sunken && option->activeSubControls.testFlag(SC_ScrollBarSubLine));
        drawArrowButton(painter, *option, true,
                        sunken && option->activeSubControls.testFlag(SC_ScrollBarAddLine));
    }
    if (control == CC_ScrollBar && option->state.testFlag(State_HasFocus)) {
        QStyleOptionFocusRect focus;
        static_cast<QStyleOption&>(focus) = *option;
        focus.backgroundColor = option->palette.color(QPalette::Window);
        baseStyle()->drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
    }
}

}  // namespace tilebash::ui::qt
