// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "ui/color.h"
#include "ui/font.h"

// The controls of a window model: plain objects that hold, in twips, what a
// toolkit shows. Handlers change them; a view copies them all onto its
// widgets once a handler has returned.
namespace tilebash::ui {

class Window;
class Surface;

enum class ControlKind { Surface, Label, CommandButton, TextBox, OptionButton, ScrollBar, Shape };
enum class Alignment { Left, Center, Right };

class Control {
  public:
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    ControlKind kind() const { return kind_; }
    // The design name, "cmdNewGame" or "shpBrick(3)" for an array element.
    const std::string& name() const { return name_; }
    // The drawing surface that holds this control, or null for the window.
    Surface* container() const { return container_; }
    // Place in the focus order, which is the order of registration; controls
    // that cannot take the focus have one all the same.
    int tabIndex() const { return tabIndex_; }

    // Position relative to the container's inner top-left corner, and size.
    double left() const { return left_; }
    double top() const { return top_; }
    double width() const { return width_; }
    double height() const { return height_; }
    bool visible() const { return visible_; }
    void setLeft(double left) { left_ = left; }
    void setTop(double top) { top_ = top; }
    void setWidth(double width) { width_ = width; }
    void setHeight(double height) { height_ = height; }
    void setVisible(bool visible) { visible_ = visible; }
    void setGeometry(double left, double top, double width, double height);

    // What assistive technology (a screen reader) tells of the control beyond
    // its kind and caption: a name where the caption does not say what it
    // is, and a description of what it shows. Neither is drawn.
    const std::string& accessibleName() const { return accessibleName_; }
    void setAccessibleName(const std::string& name) { accessibleName_ = name; }
    const std::string& accessibleDescription() const { return accessibleDescription_; }
    void setAccessibleDescription(const std::string& text) { accessibleDescription_ = text; }

  protected:
    explicit Control(ControlKind kind) : kind_(kind) {}
    Window* window() const { return window_; }

  private:
    friend class Window;

    ControlKind kind_;
    std::string name_;
    Window* window_ = nullptr;
    Surface* container_ = nullptr;
    int tabIndex_ = 0;
    double left_ = 0;
    double top_ = 0;
    double width_ = 0;
    double height_ = 0;
    bool visible_ = true;
    std::string accessibleName_;
    std::string accessibleDescription_;
};

// A drawing surface: a sunken-bordered area that holds other controls and
// the shapes, takes the keyboard and reports the mouse in its inner units.
class Surface : public Control {
  public:
    // A two-pixel sunken border on each side.
    static constexpr double kBorder = 30;

    Surface() : Control(ControlKind::Surface) {}

    // The inner (scale) size: the outer size less the border.
    double scaleWidth() const { return width() - 2 * kBorder; }
    double scaleHeight() const { return height() - 2 * kBorder; }

    // key code (see key_codes.h), shift state
    std::function<void(std::int16_t, std::int16_t)> onKeyDown;
    // button, shift state, x and y in twips from the inner top-left corner
    std::function<void(std::int16_t, std::int16_t, double, double)> onMouseDown;
    std::function<void(std::int16_t, std::int16_t, double, double)> onMouseMove;
    std::function<void(std::int16_t, std::int16_t, double, double)> onMouseUp;
};

class Label : public Control {
  public:
    Label() : Control(ControlKind::Label) {}

    const std::string& caption() const { return caption_; }
    // An auto-sized label takes the caption's extent as its size at once.
    void setCaption(const std::string& caption);
    const Font& font() const { return font_; }
    void setFont(const Font& font);
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool autoSize);
    Alignment alignment() const { return alignment_; }
    void setAlignment(Alignment alignment) { alignment_ = alignment; }
    const Color& backColor() const { return backColor_; }
    void setBackColor(const Color& color) { backColor_ = color; }
    // A thin single border, as on a colour swatch.
    bool bordered() const { return bordered_; }
    void setBordered(bool bordered) { bordered_ = bordered; }
    // The control this label names for assistive technology, which reads the
    // caption as that control's name. Set before a view shows the window;
    // both lie in the same container.
    Control* buddy() const { return buddy_; }
    void setBuddy(Control& control) { buddy_ = &control; }

    // A label with a click handler is a button to assistive technology, and
    // its press action is a click.
    std::function<void()> onClick;

  private:
    void fitToCaption();

    std::string caption_;
    Font font_;
    bool autoSize_ = false;
    Alignment alignment_ = Alignment::Left;
    Color backColor_ = Color::buttonFace();
    bool bordered_ = false;
    Control* buddy_ = nullptr;
};

class CommandButton : public Control {
  public:
    CommandButton() : Control(ControlKind::CommandButton) {}

    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& caption) { caption_ = caption; }

    std::function<void()> onClick;

  private:
    std::string caption_;
};

// The characters a text box can hold: any, or only those that the
// Windows-1252 code page of the programs' files has a byte for, so that text
// written to a file reads back exactly as it was shown.
enum class CharacterSet { Any, Windows1252 };

// A one-line text box. The text (UTF-8) never holds a line break, one of the
// rejected characters or one outside the box's character set: they are
// dropped whether typed, pasted or set, and the rest is kept in order.
class TextBox : public Control {
  public:
    TextBox() : Control(ControlKind::TextBox) {}

    const std::string& text() const { return text_; }
    void setText(const std::string& text);
    const std::string& rejectedCharacters() const { return rejected_; }
    void setRejectedCharacters(const std::string& characters);
    CharacterSet characterSet() const { return characterSet_; }
    void setCharacterSet(CharacterSet set);
    // Whether the text may hold `character` (a Unicode code point). A view
    // asks this of whatever the user types, pastes or composes.
    bool accepts(char32_t character) const;

  private:
    std::string text_;
    std::string rejected_;
    CharacterSet characterSet_ = CharacterSet::Any;
};

// Option buttons in the same container form one group: turning one on turns
// the others off.
class OptionButton : public Control {
  public:
    OptionButton() : Control(ControlKind::OptionButton) {}

    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& caption) { caption_ = caption; }
    bool value() const { return value_; }
    void setValue(bool on);
    // The name of the button's group for assistive technology, which finds
    // the buttons inside a group of that name; every button of a group
    // carries it. Set before a view shows the window.
    const std::string& groupName() const { return groupName_; }
    void setGroupName(const std::string& name) { groupName_ = name; }

    // A click by the user: the button turns on, then its handler runs.
    void click();
    std::function<void()> onClick;

  private:
    std::string caption_;
    bool value_ = false;
    std::string groupName_;
};

// A vertical scroll bar over 0..kMaximum. The down arrow raises the value by
// one; so does a page down.
class ScrollBar : public Control {
  public:
    static constexpr int kMaximum = 32767;

    ScrollBar() : Control(ControlKind::ScrollBar) {}

    int value() const { return value_; }
    // A new value, from the user or the program, runs the change handler;
    // a handler that sets the value again runs it again, nested.
    void setValue(int value);

    std::function<void()> onChange;

  private:
    int value_ = 0;
};

// A filled shape drawn on a surface; a higher index in the window is drawn
// on top. Shapes take no events.
class Shape : public Control {
  public:
    enum class Form { RoundedRectangle, Circle };

    Shape() : Control(ControlKind::Shape) {}

    Form form() const { return form_; }
    void setForm(Form form) { form_ = form; }
    // The solid fill inside a thin outline in the system's outline colour.
    const Color& fillColor() const { return fillColor_; }
    void setFillColor(const Color& color) { fillColor_ = color; }
    // A free text for the program's own use; never shown.
    const std::string& tag() const { return tag_; }
    void setTag(const std::string& tag) { tag_ = tag; }
    // Moves in one step.
    void move(double left, double top);

  private:
    Form form_ = Form::RoundedRectangle;
    Color fillColor_ = Color::of({0, 0, 0});
    std::string tag_;
};

// A periodic timer; not drawn.
class Timer {
  public:
    // When the ticks arrive: every interval, or only when the user has
    // resized the window (for a handler that only undoes a resize, so that
    // the program does not wake every millisecond for nothing).
    enum class Wake { EveryInterval, WhenWindowResized };

    Timer() = default;
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    const std::string& name() const { return name_; }
    int interval() const { return interval_; }
    void setInterval(int milliseconds) { interval_ = milliseconds; }
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }
    Wake wake() const { return wake_; }
    void setWake(Wake wake) { wake_ = wake; }

    std::function<void()> onTimer;

  private:
    friend class Window;

    std::string name_;
    int interval_ = 0;
    bool enabled_ = false;
    Wake wake_ = Wake::EveryInterval;
};

}  // namespace tilebash::ui
