// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/focus_keeper.h"

#include <algorithm>

#include <QWidget>

#include "ui/qt/widgets.h"

namespace tilebash::ui::qt {

void FocusKeeper::add(QWidget* widget) {
    append(widget, false);
}

void FocusKeeper::addSurface(SurfaceWidget* surface) {
    surface->tabMovesFocus = [this] { return otherThanSurfaceCanTakeFocus(); };
    append(surface, true);
}

void FocusKeeper::append(QWidget* widget, bool surface) {
    if (!order_.empty()) {
        QWidget::setTabOrder(order_.back().widget, widget);
    }
    order_.push_back({widget, surface});
}

void FocusKeeper::focusFirst() {
    if (QWidget* first = firstFocusable(false)) {
        first->setFocus(Qt::OtherFocusReason);
    }
}

void FocusKeeper::keep() {
    QWidget* target = nullptr;
    if (!otherThanSurfaceCanTakeFocus()) {
        // Nothing else could take the keys: the surface gets them.
        target = firstFocusable(true);
    } else {
        QWidget* current = window_.focusWidget();
        bool currentUsable =
            current != nullptr &&
            std::any_of(order_.begin(), order_.end(),
                        [current](const Focusable& f) { return f.widget == current; }) &&
            canTakeFocus(current);
        if (currentUsable) {
            return;
        }
        target = firstFocusable(false);
    }
    if (target != nullptr && window_.focusWidget() != target) {
        target->setFocus(Qt::OtherFocusReason);
    }
}

bool FocusKeeper::canTakeFocus(const QWidget* widget) const {
    return widget->isVisibleTo(&window_);
}

bool FocusKeeper::otherThanSurfaceCanTakeFocus() const {
    return std::any_of(order_.begin(), order_.end(),
                       [this](const Focusable& f) { return !f.surface && canTakeFocus(f.widget); });
}

QWidget* FocusKeeper::firstFocusable(bool surfaceOnly) const {
    for (const Focusable& f : order_) {
        if ((f.surface || !surfaceOnly) && canTakeFocus(f.widget)) {
            return f.widget;
        }
    }
    return nullptr;
}

}  // namespace tilebash::ui::qt
