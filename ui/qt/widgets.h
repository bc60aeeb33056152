// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <vector>

#include <QAbstractButton>
#include <QFrame>
#include <QGroupBox>
#include <QProxyStyle>
#include <QValidator>

#include "ui/controls.h"

// The few widgets of the view's own, each where no stock widget shows what
// the model's control shows, and the one place where the model's twips meet
// Qt's logical pixels (which Qt's device pixel ratio keeps crisp on a
// high-DPI screen).
namespace tilebash::ui::qt {

class WindowView;

inline constexpr double kTwipsPerPixel = 15;

inline double toTwips(double pixels) {
    return pixels * kTwipsPerPixel;
}

// Widgets sit on whole pixels; position and size are rounded apart, so that
// a control keeps its pixel size wherever it moves. A brick dragged miles
// away is clamped to what Qt's integers hold.
int toWholePixels(double twips);
QRect pixelRectOf(const ui::Control& control);

QFont toQFont(const ui::Font& font);
// A system colour from `palette`.
QColor colorOf(const ui::Color& color, const QPalette& palette);

// A drawing surface: a two-pixel sunken border around an inner area that
// holds the child widgets, paints the shapes under them and reports the
// mouse. No stock widget paints shapes at fractional pixels, and the style's
// focus rectangle lies on the border so that the playfield looks the same
// with the focus.
class SurfaceWidget : public QFrame {
  public:
    SurfaceWidget(ui::Surface& surface, WindowView& view, QWidget* parent);

    QWidget* inner() const { return inner_; }
    // Later shapes are painted on top.
    void addShape(const ui::Shape& shape) { shapes_.push_back({&shape, {}, false, {}}); }
    // Repaints only where a shape that changed was and now is.
    void refreshShapes();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    struct Painted {
        const ui::Shape* shape;
        QRectF rect;  // in logical pixels, as last painted
        bool visible;
        QColor fill;
    };
    void paintShapes(QPaintEvent* event);
    void reportMouse(QMouseEvent* event);

    ui::Surface& surface_;
    WindowView& view_;
    QWidget* inner_;
    std::vector<Painted> shapes_;
};

// A label that takes clicks: on the windows, a colour swatch. A button to Qt
// (so that a screen reader can press it), drawn as a label with a thin
// sunken border; it takes no focus, as a label does not.
class ClickableLabel : public QAbstractButton {
  public:
    explicit ClickableLabel(QWidget* parent);
    void setBordered(bool bordered);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    bool bordered_ = false;
};

// The option buttons of one group, which a screen reader finds inside a
// group of that name. It draws nothing, lies just over its buttons and takes
// the mouse only on them.
class OptionGroup : public QGroupBox {
  public:
    OptionGroup(const QString& name, QWidget* parent);
    // Places `button`, one of the group's, at `rect` in the parent's coordinates.
    void place(QWidget* button, const QRect& rect);

  protected:
    void paintEvent(QPaintEvent* /*event*/) override {}
};

// Drops every character the text box does not take from whatever is typed,
// pasted, dropped or composed, keeping the rest in order and the cursor
// where the user left it.
class TextBoxValidator : public QValidator {
  public:
    TextBoxValidator(const ui::TextBox& box, QObject* parent) : QValidator(parent), box_(box) {}
    State validate(QString& input, int& position) const override;

  private:
    QString kept(const QString& text) const;

    const ui::TextBox& box_;
};

// A vertical scroll bar too short for its arrows and a thumb (the number
// field's spinner is 9 x 17 pixels) shows only its two arrows, each taking
// half: the styles would draw a thumb over them. It shows the style's focus
// rectangle, which the styles leave out on scroll bars.
class CompactScrollBarStyle : public QProxyStyle {
  public:
    // One for the application, which owns it.
    static CompactScrollBarStyle* instance();

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                         SubControl subControl, const QWidget* widget) const override;
    SubControl hitTestComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                     const QPoint& position, const QWidget* widget) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override;

  private:
    CompactScrollBarStyle() = default;
    bool cramped(const QStyleOptionComplex* option, const QWidget* widget) const;
};

}  // namespace tilebash::ui::qt
