// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>

#include <QStringView>
#include <QWidget>

// Who draws the window's frame. On X11 the window manager does. On Wayland a
// compositor that offers server-side decorations (KWin, sway) draws them for
// a window that is not frameless. Where none is offered (weston, mutter) Qt
// would draw its own, with minimise and maximise buttons whatever the window
// asks for, so the view draws the frame itself: a title bar with the caption
// and a close button only, and a thin border that resizes a sizable window.
namespace tilebash::ui::qt {

// Whether the view draws the frame on the Qt platform `platformName`, with
// or without a compositor that offers to draw decorations.
bool needsOwnFrame(QStringView platformName, bool compositorDecorates);

// A frameless window that takes `client`, a widget that was a window until
// then, into the frame. The client sets the caption, size and size limits of
// the window it lies in, allowing for that window's contents margins: here
// the frame's. Closing the window closes the client. A window whose minimum
// and maximum size differ is sizable from the border.
class OwnFrame : public QWidget {
  public:
    explicit OwnFrame(QWidget& client);
    // The client is not the frame's to delete.
    ~OwnFrame() override { client_.setParent(nullptr); }

    QRect closeButton() const;

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    // The sides of the border that `point` lies on, for resizing; none
    // unless the window is sizable.
    Qt::Edges edgesAt(QPoint point) const;

    QWidget& client_;
    bool closePressed_ = false;
    bool closeHovered_ = false;
};

// The own frame around `client` where the platform Qt runs on needs one,
// asking a Wayland compositor what it offers; else none (and the client
// stays a window of its own).
std::unique_ptr<OwnFrame> ownFrameWhereNeeded(QWidget& client);

}  // namespace tilebash::ui::qt
