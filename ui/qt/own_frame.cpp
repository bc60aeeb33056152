// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/own_frame.h"

#include <cstdint>
#include <string_view>
#include <utility>

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWindow>

#ifdef TILEBASH_WAYLAND
#include <wayland-client.h>
#endif

namespace tilebash::ui::qt {

namespace {

// In logical pixels.
constexpr int kBorder = 4;     // left, right and bottom
constexpr int kPadding = 6;    // above and below the caption
constexpr int kCorner = 16;    // how far from a bottom corner the border resizes both ways
constexpr int kButtonGap = 4;  // around the close button

// Whether the compositor's registry lists the manager of server-side
// decorations. Asked on a connection of its own: Qt does not hand out its
// own before Qt 6.5.
bool compositorOffersDecorations() {
#ifdef TILEBASH_WAYLAND
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) {
        return false;
    }
    bool offered = false;
    static const wl_registry_listener listener = {
        [](void* data, wl_registry*, std::uint32_t, const char* interface, std::uint32_t) {
            *static_cast<bool*>(data) |=
                std::string_view(interface) == "zxdg_decoration_manager_v1";
        },
        [](void*, wl_registry*, std::uint32_t) {}};
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, &offered);
    wl_display_roundtrip(display);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return offered;
#else
    return false;
#endif
}

}  // namespace

bool needsOwnFrame(QStringView platformName, bool compositorDecorates) {
    return platformName.startsWith(u"wayland") && !compositorDecorates;
}

std::unique_ptr<OwnFrame> ownFrameWhereNeeded(QWidget& client) {
    const QString platform = QGuiApplication::platformName();
    const bool decorates = platform.startsWith(u"wayland") && compositorOffersDecorations();
    return needsOwnFrame(platform, decorates) ? std::make_unique<OwnFrame>(client) : nullptr;
}

// The title bar is painted in the application's font, not the one the
// window's controls are set in, which the client sets on itself.
OwnFrame::OwnFrame(QWidget& client)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), client_(client) {
    setContentsMargins(kBorder, QFontMetrics(QGuiApplication::font()).height() + 2 * kPadding,
                       kBorder, kBorder);
    // For the resize cursors over the border and the close button's hover.
    setMouseTracking(true);
    // The frame's colour stays outside the client area.
    client_.setAutoFillBackground(true);
    client_.setParent(this);
    client_.installEventFilter(this);
}

QRect OwnFrame::closeButton() const {
    // At the right of the title bar, inside the outline.
    const int side = contentsMargins().top() - 1 - 2 * kButtonGap;
    return {width() - 1 - kBorder - side, 1 + kButtonGap, side, side};
}

bool OwnFrame::event(QEvent* event) {
    switch (event->type()) {
        case QEvent::Close:
            event->setAccepted(client_.close());
            return true;
        case QEvent::Resize:
            client_.setGeometry(contentsRect());
            break;
        case QEvent::Leave:
            closeHovered_ = false;
            [[fallthrough]];
        case QEvent::WindowTitleChange:
        case QEvent::ActivationChange:
            update();
            break;
        default:
            break;
    }
    return QWidget::event(event);
}

// The pointer may go from the border or the close button straight into the
// client, and the frame, its parent, hears of that only as the client's Enter.
// The client shows the frame's cursor unless it sets its own.
bool OwnFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Enter) {
        unsetCursor();
        if (std::exchange(closeHovered_, false)) {
            update();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void OwnFrame::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QPalette& colors = palette();
    const QColor background = colors.color(QPalette::Window).darker(112);
    painter.fillRect(rect(), background);
    painter.setPen(colors.color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));

    // Dark while the window is active, else grey: as it looks over the title
    // bar, since a see-through pen would be darker where the cross's strokes meet.
    QColor text = colors.color(QPalette::WindowText);
    if (!isActiveWindow()) {
        const QColor grey = colors.color(QPalette::PlaceholderText);
        const auto mix = [alpha = static_cast<double>(grey.alphaF())](double over, double under) {
            return static_cast<float>(over * alpha + under * (1 - alpha));
        };
        text = QColor::fromRgbF(mix(grey.redF(), background.redF()),
                                mix(grey.greenF(), background.greenF()),
                                mix(grey.blueF(), background.blueF()));
    }
    // The caption centred in the window: as much room is kept on the left as
    // the close button takes on the right.
    const QRect button = closeButton();
    const int side = kBorder + button.width() + kButtonGap;
    const QRect room =
        QRect(1, 1, width() - 2, contentsMargins().top() - 1).adjusted(side, 0, -side, 0);
    painter.setPen(text);
    painter.drawText(room, Qt::AlignCenter,
                     fontMetrics().elidedText(windowTitle(), Qt::ElideRight, room.width()));

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

Qt::Edges OwnFrame::edgesAt(QPoint point) const {
    const QMargins margins = contentsMargins();
    const bool left = point.x() < margins.left();
    const bool right = point.x() >= width() - margins.right();
    const bool bottom = point.y() >= height() - margins.bottom();
    Qt::Edges edges;
    if (minimumSize() == maximumSize() || point.y() < margins.top() || !(left || right || bottom)) {
        return edges;
    }
    edges.setFlag(Qt::LeftEdge, left || (bottom && point.x() < kCorner));
    edges.setFlag(Qt::RightEdge, right || (bottom && point.x() >= width() - kCorner));
    edges.setFlag(Qt::BottomEdge, bottom || point.y() >= height() - kCorner);
    return edges;
}

// A press of the left button on the title bar moves the window and one on
// the border of a sizable window resizes it: the compositor does both, and
// the client hears of a resize. Elsewhere in the frame it is not the frame's.
void OwnFrame::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const Qt::Edges edges = edgesAt(at);
    if (event->button() != Qt::LeftButton ||
        (edges == Qt::Edges() && at.y() >= contentsMargins().top())) {
        event->ignore();
    } else if (closeButton().contains(at)) {
        closePressed_ = true;
        update();
    } else if (edges != Qt::Edges()) {
        windowHandle()->startSystemResize(edges);
    } else {
        windowHandle()->startSystemMove();
    }
}

// Over the border of a sizable window the cursor shows which way it resizes.
void OwnFrame::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const Qt::Edges edges = edgesAt(at);
    if (edges == Qt::Edges()) {
        unsetCursor();
    } else if (!(edges & Qt::BottomEdge) || edges == Qt::BottomEdge) {
        setCursor(edges == Qt::BottomEdge ? Qt::SizeVerCursor : Qt::SizeHorCursor);
    } else {
        setCursor(edges & Qt::LeftEdge ? Qt::SizeBDiagCursor : Qt::SizeFDiagCursor);
    }
    const bool hovered = closeButton().contains(at);
    if (std::exchange(closeHovered_, hovered) != hovered) {
        update();
    }
}

// The close button was clicked: a press and a release inside it.
void OwnFrame::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && std::exchange(closePressed_, false)) {
        update();
        if (closeButton().contains(event->position().toPoint())) {
            close();
        }
    }
}

}  // namespace tilebash::ui::qt
