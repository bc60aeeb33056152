// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

#include <QMargins>
#include <QPoint>
#include <QSize>
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

    bool closePressed_ = false;
    bool closeHovered_ = false;
};

// A frameless window that takes `client`, a widget that was a window until
// then, into the frame. The client sets the caption, size and size limits of
// the window it lies in, allowing for that window's contents margins: here
// the frame's. Closing the window closes the client. A window whose minimum
// and maximum size differ is sizable from the border.
class OwnFrame : public QWidget {
  public:
    explicit OwnFrame(QWidget& client);
    OwnFrame(const OwnFrame&) = delete;
    OwnFrame& operator=(const OwnFrame&) = delete;
    // The client is not the frame's to delete.
    ~OwnFrame() override;

  protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // Over the border of a sizable window the cursor shows which way it
    // resizes, and a press of the left button starts the resize.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    Qt::Edges edgesAt(const QMouseEvent& event) const;

    QWidget& client_;
    TitleBarWidget* titleBar_;
};

}  // namespace tilebash::ui::qt
