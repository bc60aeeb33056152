// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include <QColor>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QProxyStyle>
#include <QRadioButton>
#include <QRectF>
#include <QValidator>

#include "ui/controls.h"

// The widgets that stand in for the model's controls where Qt's own do not
// behave as the model's do. None of them decides anything: they report what
// the user did through their callbacks and show what the view sets.
namespace tilebash::ui::qt {

// A shape as the canvas paints it, in logical pixels.
struct PaintedShape {
    QRectF rect;
    QColor fill;
    bool circle = false;
    bool visible = false;
    friend bool operator==(const PaintedShape&, const PaintedShape&) = default;
};

enum class MouseAction { Down, Move, Up };

// The inner area of a drawing surface (or of the window, for shapes placed
// straight on it): it holds the child widgets, paints the shapes under them
// and reports the mouse in its own coordinates.
class CanvasWidget : public QWidget {
  public:
    explicit CanvasWidget(QWidget* parent);

    // Shapes are painted in the order they were added, later ones on top.
    std::size_t addShape();
    // Repaints only where the shape was and where it now is.
    void setShape(std::size_t slot, const PaintedShape& shape);
    const PaintedShape& shape(std::size_t slot) const { return shapes_[slot]; }

    // button (or held buttons on a move), shift state, position in pixels
    std::function<void(MouseAction, std::int16_t, std::int16_t, QPointF)> onMouse;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void report(MouseAction action, std::int16_t buttons, QMouseEvent* event);

    std::vector<PaintedShape> shapes_;
};

// A drawing surface: a two-pixel sunken border around a canvas. It takes the
// keyboard focus and reports key-downs, auto-repeats included. While it has
// the focus the style's focus rectangle lies on the border.
class SurfaceWidget : public QFrame {
  public:
    explicit SurfaceWidget(QWidget* parent);

    CanvasWidget* canvas() const { return canvas_; }

    // virtual-key code, shift state
    std::function<void(std::int16_t, std::int16_t)> onKeyDown;
    // Whether Tab should move the focus on (true) or reach the surface as a key.
    std::function<bool()> tabMovesFocus;

  protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    CanvasWidget* canvas_;
};

// A label that takes clicks: a press and a release of the left button inside it.
class LabelWidget : public QLabel {
  public:
    explicit LabelWidget(QWidget* parent);

    // None for a label that takes no clicks.
    std::function<void()> onClick;

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    bool pressed_ = false;
};

// An option button that never turns itself on or off: a click is reported,
// and the view shows the value the model then holds.
class OptionWidget : public QRadioButton {
  public:
    explicit OptionWidget(QWidget* parent);

  protected:
    void nextCheckState() override {}
};

// The option buttons of one named group, in a widget of their own so that
// assistive technology finds them inside a group of that name: a group box,
// which it reports as one, that draws nothing. It lies just over its
// buttons, takes the mouse only on them and shows while any of them shows.
class OptionGroupWidget : public QGroupBox {
  public:
    OptionGroupWidget(const QString& name, QWidget* parent);

    // Places `button`, one of the group's, at `rect` in the parent's
    // coordinates; the same place again changes nothing.
    void place(QWidget* button, const QRect& rect);
    // After a button of the group was shown or hidden.
    void showWithButtons();

  protected:
    void paintEvent(QPaintEvent* /*event*/) override {}

  private:
    std::vector<std::pair<QWidget*, QRect>> buttons_;
};

// Drops every character the text box does not accept from whatever is
// typed, pasted, dropped or committed by an input method, keeping the rest in
// order and the cursor where the user left it.
class TextBoxValidator : public QValidator {
  public:
    TextBoxValidator(const ui::TextBox& box, QObject* parent);
    State validate(QString& input, int& position) const override;

  private:
    QString kept(const QString& text) const;

    const ui::TextBox& box_;
};

// A vertical scroll bar (the only kind the view makes) too short for its
// arrows and a thumb (the spinner of a number field is 9 x 17 pixels) shows
// only the two arrows, each taking half.
// Every scroll bar of this style shows the style's focus rectangle while it
// has the focus, which the styles leave out on scroll bars.
class CompactScrollBarStyle : public QProxyStyle {
  public:
    // One style for every compact scroll bar of the application.
    static CompactScrollBarStyle* instance();

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                         SubControl subControl, const QWidget* widget) const override;
    SubControl hitTestComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                     const QPoint& position, const QWidget* widget) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override;

  private:
    CompactScrollBarStyle() = default;
};

}  // namespace tilebash::ui::qt
