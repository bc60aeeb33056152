// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/own_frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWindow>

namespace tilebash::ui::qt {

namespace {

// In logical pixels.
constexpr int kBorder = 4;     // left, right and bottom
constexpr int kPadding = 6;    // above and below the caption
constexpr int kCorner = 16;    // how far from a bottom corner the border resizes both ways
constexpr int kButtonGap = 4;  // around the close button

int titleBarHeight() {
    return QFontMetrics(QApplication::font()).height() + 2 * kPadding;
}

// `colour` as it looks over `background`: a see-through pen would be darker
// where the close button's strokes cross.
QColor opaque(const QColor& colour, const QColor& background) {
    const double alpha = colour.alphaF();
    const auto mix = [alpha](double over, double under) {
        return over * alpha + under * (1 - alpha);
    };
    return QColor::fromRgbF(static_cast<float>(mix(colour.redF(), background.redF())),
                            static_cast<float>(mix(colour.greenF(), background.greenF())),
                            static_cast<float>(mix(colour.blueF(), background.blueF())));
}

// The title bar's and the border's.
QColor frameColour(const QPalette& palette) {
    return palette.color(QPalette::Window).darker(112);
}

}  // namespace

QMargins ownFrameMargins() {
    return {kBorder, titleBarHeight(), kBorder, kBorder};
}

Qt::Edges ownFrameEdgesAt(QPoint point, QSize windowSize) {
    const QMargins margins = ownFrameMargins();
    const bool left = point.x() < margins.left();
    const bool right = point.x() >= windowSize.width() - margins.right();
    const bool bottom = point.y() >= windowSize.height() - margins.bottom();
    Qt::Edges edges;
    if (point.y() < margins.top() || !(left || right || bottom)) {
        return edges;  // the title bar moves the window; the client area is the program's
    }
    if (left || (bottom && point.x() < kCorner)) {
        edges |= Qt::LeftEdge;
    }
    if (right || (bottom && point.x() >= windowSize.width() - kCorner)) {
        edges |= Qt::RightEdge;
    }
    if (bottom || point.y() >= windowSize.height() - kCorner) {
        edges |= Qt::BottomEdge;
    }
    return edges;
}

TitleBarWidget::TitleBarWidget(QWidget* parent) : QWidget(parent) {
    // The desktop's font, not the one the window's controls are set in.
    setFont(QApplication::font());
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
}

QRect TitleBarWidget::closeButtonRect() const {
    const int side = height() - 2 * kButtonGap;
    return {width() - kBorder - side, kButtonGap, side, side};
}

void TitleBarWidget::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QPalette& colors = palette();
    const QColor background = frameColour(colors);
    const QColor text = isActiveWindow()
                            ? colors.color(QPalette::WindowText)
                            : opaque(colors.color(QPalette::PlaceholderText), background);
    painter.fillRect(rect(), background);

    // Centred in the window: as much room is kept on the left as the close
    // button takes on the right.
    const QRect button = closeButtonRect();
    const int side = width() - button.left() + kButtonGap;
    const QRect room = rect().adjusted(side, 0, -side, 0);
    painter.setPen(text);
    painter.drawText(
        room, Qt::AlignCenter,
        fontMetrics().elidedText(window()->windowTitle(), Qt::ElideRight, room.width()));

    painter.setRenderHint(QPainter::Antialiasing);
    if (closeHovered_) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(colors.color(closePressed_ ? QPalette::Dark : QPalette::Mid));
        painter.drawRoundedRect(button, 3, 3);
    }
    const double inset = button.width() * 0.3;
    const QRectF cross = QRectF(button).adjusted(inset, inset, -inset, -inset);
    // One path, so that the middle is not painted twice.
    QPainterPath strokes;
    strokes.moveTo(cross.topLeft());
    strokes.lineTo(cross.bottomRight());
    strokes.moveTo(cross.topRight());
    strokes.lineTo(cross.bottomLeft());
    painter.setPen(QPen(text, 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(strokes);
}

void TitleBarWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    event->accept();
    if (closeButtonRect().contains(event->position().toPoint())) {
        closePressed_ = true;
        update();
        return;
    }
    // The compositor moves the window; where it cannot, nothing happens.
    if (QWindow* handle = window()->windowHandle()) {
        handle->startSystemMove();
    }
}

void TitleBarWidget::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    setCloseHovered(closeButtonRect().contains(event->position().toPoint()));
}

void TitleBarWidget::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton || !closePressed_) {
        return;
    }
    closePressed_ = false;
    update();
    if (closeButtonRect().contains(event->position().toPoint()) && onClose) {
        onClose();
    }
}

void TitleBarWidget::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    setCloseHovered(false);
}

bool TitleBarWidget::event(QEvent* event) {
    // The window hands its activation on to its children as these, not as
    // the ActivationChange that it gets itself.
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate) {
        update();
    }
    return QWidget::event(event);
}

void TitleBarWidget::setCloseHovered(bool hovered) {
    if (closeHovered_ != hovered) {
        closeHovered_ = hovered;
        update();
    }
}

OwnFrame::OwnFrame(QWidget& client)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      client_(client),
      titleBar_(new TitleBarWidget(this)) {
    setContentsMargins(ownFrameMargins());
    titleBar_->setObjectName(QStringLiteral("titleBar"));
    titleBar_->onClose = [this] { close(); };
    // For the resize cursors over the border.
    setMouseTracking(true);
    // The frame's colour stays outside the client area.
    client_.setAutoFillBackground(true);
    client_.setParent(this);
}

OwnFrame::~OwnFrame() {
    client_.setParent(nullptr);
}

void OwnFrame::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowTitleChange) {
        titleBar_->update();
    }
}

void OwnFrame::closeEvent(QCloseEvent* event) {
    event->setAccepted(client_.close());
}

void OwnFrame::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Inside the outline.
    titleBar_->setGeometry(1, 1, width() - 2, contentsMargins().top() - 1);
    client_.setGeometry(contentsRect());
}

void OwnFrame::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), frameColour(palette()));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

Qt::Edges OwnFrame::edgesAt(const QMouseEvent& event) const {
    const bool sizable = minimumSize() != maximumSize();
    return sizable ? ownFrameEdgesAt(event.position().toPoint(), size()) : Qt::Edges();
}

void OwnFrame::mousePressEvent(QMouseEvent* event) {
    const Qt::Edges edges = edgesAt(*event);
    QWindow* handle = windowHandle();
    if (edges == Qt::Edges() || event->button() != Qt::LeftButton || handle == nullptr) {
        QWidget::mousePressEvent(event);
        return;
    }
    event->accept();
    // The compositor resizes the window; the client hears of it as a resize.
    handle->startSystemResize(edges);
}

void OwnFrame::mouseMoveEvent(QMouseEvent* event) {
    const Qt::Edges edges = edgesAt(*event);
    if (edges == (Qt::LeftEdge | Qt::BottomEdge)) {
        setCursor(Qt::SizeBDiagCursor);
    } else if (edges == (Qt::RightEdge | Qt::BottomEdge)) {
        setCursor(Qt::SizeFDiagCursor);
    } else if (edges == Qt::LeftEdge || edges == Qt::RightEdge) {
        setCursor(Qt::SizeHorCursor);
    } else if (edges == Qt::BottomEdge) {
        setCursor(Qt::SizeVerCursor);
    } else {
        unsetCursor();
    }
    QWidget::mouseMoveEvent(event);
}

}  // namespace tilebash::ui::qt
