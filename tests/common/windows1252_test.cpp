// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/windows1252.h"

#include <gtest/gtest.h>

namespace tilebash {
namespace {

TEST(Windows1252, AsciiAndLatinLettersRoundTrip) {
    const std::string text = "Zo\xC3\xAB M\xC3\xBCller \xE2\x82\xAC 5";  // "Zoë Müller € 5"
    const std::string bytes = windows1252FromUtf8(text);
    EXPECT_EQ(bytes, "Zo\xEB M\xFCller \x80 5");
    EXPECT_EQ(utf8FromWindows1252(bytes), text);
}

TEST(Windows1252, CharactersOutsideTheCodePageAndBrokenSequencesBecomeQuestionMarks) {
    EXPECT_EQ(windows1252FromUtf8("\xE6\x97\xA5"), "?");        // a CJK character
    EXPECT_EQ(windows1252FromUtf8("\xF0\x9F\x98\x80!"), "?!");  // an emoji
    EXPECT_EQ(windows1252FromUtf8("a\xC3"), "a?");              // cut off
    EXPECT_EQ(windows1252FromUtf8("\xC0\xAF"), "?");            // overlong
    for (char32_t outside : {U'\u0141', U'\u0301', U'\uFFFD', U'\U0001F600', char32_t{0x110000}}) {
        EXPECT_FALSE(windows1252Holds(outside)) << static_cast<unsigned>(outside);
    }
}

TEST(Windows1252, EveryByteReadsAsSomeCharacterAndWritesBackTheSame) {
    std::string all;
    for (int b = 1; b < 256; ++b) {
        all.push_back(static_cast<char>(b));
    }
    const std::string text = utf8FromWindows1252(all);
    EXPECT_EQ(windows1252FromUtf8(text), all);
    for (std::size_t pos = 0; pos < text.size();) {
        EXPECT_TRUE(windows1252Holds(nextUtf8Character(text, pos))) << pos;
    }
}

}  // namespace
}  // namespace tilebash
