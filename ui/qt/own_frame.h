// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

#include <QMargins>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QWidget>

class QMouseEvent;

// The frame the view draws itself where the platform would otherwise have
// Qt draw one: on Wayland, Qt's own decorations always show minimise and
// maximise buttons, whatever the window asks for, and a compositor draws
// none for a window that brings its own. This frame has a title bar with the
// caption and a close button only, and a thin border that resizes a sizable
// window.
namespace tilebash::ui::qt {

// Around the client area: the title bar above, the border on the other sides.
QMargins ownFrameMargins();

// The sides of the frame that `point` (in window coordinates) lies on, for
// resizing from the border; none inside the title bar or the client area.
Qt::Edges ownFrameEdgesAt(QPoint point, QSize windowSize);

class TitleBarWidget : public QWidget {
  public:
    explicit TitleBarWidget(QWidget* parent);

    void setCaption(const QString& caption);
    QRect closeButtonRect() const;

    // The close button was clicked: a press and a release inside it.
    std::function<void()> onClose;

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    void setCloseHovered(bool hovered);

    QString caption_;
    bool closePressed_ = false;
    bool closeHovered_ = false;
};

// The whole frame, as the window hands it its size, its paint and its mouse
// events. It lies around the window's client area, which the window keeps
// for its controls.
class OwnFrame {
  public:
    // The title bar's close button closes `window`.
    explicit OwnFrame(QWidget& window);
    OwnFrame(const OwnFrame&) = delete;
    OwnFrame& operator=(const OwnFrame&) = delete;

    QMargins margins() const { return margins_; }
    void setCaption(const QString& caption);
    // After the window's size has changed.
    void layOut();
    // The border, from the window's paint event.
    void paint();
    // From the window's mouse events. Over the border of a sizable window
    // the cursor shows which way it resizes, and a press of the left button
    // starts the resize: then the press is the frame's, and the answer true.
    bool press(QMouseEvent& event, bool sizable);
    void hover(const QMouseEvent& event, bool sizable);

  private:
    Qt::Edges edgesAt(const QMouseEvent& event, bool sizable) const;

    QWidget& window_;
    QMargins margins_;
    TitleBarWidget* titleBar_;
};

}  // namespace tilebash::ui::qt
