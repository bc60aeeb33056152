// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <vector>

class QWidget;

namespace tilebash::ui::qt {

class SurfaceWidget;

// Keeps the keyboard focus on a widget that can use it. When the widget
// that has the focus is hidden, the focus moves to the first in
// the tab order that can take it; while nothing but a surface can, the
// surface has it and Tab reaches it as a key.
class FocusKeeper {
  public:
    explicit FocusKeeper(const QWidget& window) : window_(window) {}
    FocusKeeper(const FocusKeeper&) = delete;
    FocusKeeper& operator=(const FocusKeeper&) = delete;

    // The next widget in the tab order.
    void add(QWidget* widget);
    void addSurface(SurfaceWidget* surface);

    // When the window is first shown: the first in the tab order that can
    // take the focus gets it.
    void focusFirst();
    // After widgets were shown or hidden.
    void keep();

  private:
    struct Focusable {
        QWidget* widget;
        bool surface;
    };

    void append(QWidget* widget, bool surface);
    bool canTakeFocus(const QWidget* widget) const;
    bool otherThanSurfaceCanTakeFocus() const;
    QWidget* firstFocusable(bool surfaceOnly) const;

    const QWidget& window_;
    std::vector<Focusable> order_;
};

}  // namespace tilebash::ui::qt
