// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/controls.h"

#include <algorithm>

#include "common/windows1252.h"
#include "ui/window.h"

namespace tilebash::ui {

void Control::setGeometry(double left, double top, double width, double height) {
    setLeft(left);
    setTop(top);
    setWidth(width);
    setHeight(height);
}

void Label::setCaption(const std::string& caption) {
    caption_ = caption;
    fitToCaption();
}

void Label::setFont(const Font& font) {
    font_ = font;
    fitToCaption();
}

void Label::setAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    fitToCaption();
}

void Label::fitToCaption() {
    if (!autoSize_ || window() == nullptr) {
        return;
    }
    TextExtent extent = window()->host().measureText(caption_, font_);
    setWidth(extent.width);
    setHeight(extent.height);
}

namespace {

bool holds(std::string_view text, char32_t character) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (nextUtf8Character(text, pos) == character) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool TextBox::accepts(char32_t character) const {
    if (character == U'\r' || character == U'\n' || holds(rejected_, character)) {
        return false;
    }
    return characterSet_ == CharacterSet::Any || windows1252Holds(character);
}

void TextBox::setText(const std::string& text) {
    std::string kept;
    kept.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t start = pos;
        // A malformed sequence reads as U+FFFD and is kept as it came in a
        // box that takes any character.
        if (accepts(nextUtf8Character(text, pos))) {
            kept.append(text, start, pos - start);
        }
    }
    text_ = kept;
}

void TextBox::setRejectedCharacters(const std::string& characters) {
    rejected_ = characters;
    setText(text_);
}

void TextBox::setCharacterSet(CharacterSet set) {
    characterSet_ = set;
    setText(text_);
}

void OptionButton::setValue(bool on) {
    value_ = on;
    if (!on || window() == nullptr) {
        return;
    }
    for (Control* other : window()->controls()) {
        if (other != this && other->kind() == ControlKind::OptionButton &&
            other->container() == container()) {
            static_cast<OptionButton*>(other)->setValue(false);
        }
    }
}

void OptionButton::click() {
    setValue(true);
    if (onClick) {
        onClick();
    }
}

void ScrollBar::setValue(int value) {
    value = std::clamp(value, 0, kMaximum);
    if (value_ == value) {
        return;
    }
    value_ = value;
    if (onChange) {
        onChange();
    }
}

void Shape::move(double left, double top) {
    setLeft(left);
    setTop(top);
}

}  // namespace tilebash::ui
