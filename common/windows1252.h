// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>

// The files keep text in the Windows-1252 code page; in memory text is UTF-8.
namespace tilebash {

// Every byte has a character: the five bytes that Windows-1252 leaves
// undefined become the control characters of the same value, as Windows does.
std::string utf8FromWindows1252(std::string_view bytes);

// A character that Windows-1252 cannot hold, or a malformed UTF-8 sequence,
// is written as "?".
std::string windows1252FromUtf8(std::string_view text);

// Whether Windows-1252 has a byte for the character (a Unicode code point).
bool windows1252Holds(char32_t character);

// The character of the UTF-8 sequence that starts at `pos`, moving `pos` past
// it. A malformed or overlong sequence reads as U+FFFD, which Windows-1252
// cannot hold; `pos` then moves past the bytes that looked like part of it.
char32_t nextUtf8Character(std::string_view text, std::size_t& pos);

}  // namespace tilebash
