// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/qt/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include "ui/qt/widgets.h"

namespace tilebash::ui::qt {

namespace {

// The model keeps the group, so the button does not turn the others off
// itself, and Qt would report a check box.
class RadioButtonAccessible : public QAccessibleWidget {
  public:
    explicit RadioButtonAccessible(OptionWidget* button)
        : QAccessibleWidget(button, QAccessible::RadioButton) {}

    QString text(QAccessible::Text kind) const override {
        QString text = QAccessibleWidget::text(kind);
        if (kind == QAccessible::Name && text.isEmpty()) {
            text = button()->text();
        }
        return text;
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = button()->isChecked();
        return state;
    }
    QStringList actionNames() const override {
        return QStringList(toggleAction()) + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == toggleAction() || action == pressAction()) {
            button()->click();
        } else {
            QAccessibleWidget::doAction(action);
        }
    }

  private:
    OptionWidget* button() const { return static_cast<OptionWidget*>(widget()); }
};

// Pressed, it is clicked, as with the mouse; only while it is shown.
class PressableLabelAccessible : public QAccessibleWidget {
  public:
    explicit PressableLabelAccessible(LabelWidget* label)
        : QAccessibleWidget(label, QAccessible::Button) {}

    QStringList actionNames() const override {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        auto* label = static_cast<LabelWidget*>(widget());
        if (action != pressAction()) {
            QAccessibleWidget::doAction(action);
        } else if (label->isVisible() && label->onClick) {
            label->onClick();
        }
    }
};

QAccessibleInterface* accessibleInterfaceOf(const QString& /*className*/, QObject* object) {
    if (auto* option = dynamic_cast<OptionWidget*>(object)) {
        return new RadioButtonAccessible(option);
    }
    if (auto* label = dynamic_cast<LabelWidget*>(object); label != nullptr && label->onClick) {
        return new PressableLabelAccessible(label);
    }
    if (auto* surface = dynamic_cast<SurfaceWidget*>(object)) {
        return new QAccessibleWidget(surface, QAccessible::Canvas);
    }
    return nullptr;
}

}  // namespace

void installAccessibleInterfaces() {
    static const bool installed = [] {
        QAccessible::installFactory(accessibleInterfaceOf);
        return true;
    }();
    static_cast<void>(installed);
}

}  // namespace tilebash::ui::qt
