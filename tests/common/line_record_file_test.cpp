// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/line_record_file.h"

#include <gtest/gtest.h>

#include <clocale>

#include "common/runtime_error.h"

namespace tilebash {
namespace {

LineRecordReader readerOf(std::string content) {
    return LineRecordReader("test.txt", std::move(content));
}

// Runs `read` and returns the message of the run-time error it raises.
template <typename Read>
std::string errorOf(Read read) {
    try {
        read();
    } catch (const RuntimeError& error) {
        return error.what();
    }
    return "no error";
}

TEST(LineRecordWriter, WritesNumbersWithTheirSignSpaceAndStringsUnchanged) {
    LineRecordWriter writer;
    writer.writeInteger(600);
    writer.writeInteger(0);
    writer.writeInteger(-5);
    writer.writeString("Ada, the 1st");
    writer.writeString("");
    writer.writeString("Ren\xC3\xA9");
    EXPECT_EQ(writer.bytes(), " 600 \r\n 0 \r\n-5 \r\nAda, the 1st\r\n\r\nRen\xE9\r\n");
}

TEST(LineRecordWriter, QuotesTextOnlyWhereItWouldNotReadBackUnchanged) {
    LineRecordWriter writer;
    for (const char* text : {"plain name", "", "a,b", " lead", "trail\t", "\"quoted", "in\"side"}) {
        writer.writeText(text);
    }
    EXPECT_EQ(writer.bytes(),
              "plain name\r\n\r\n\"a,b\"\r\n\" lead\"\r\n\"trail\t\"\r\n\"quoted\r\nin\"side\r\n");
}

TEST(LineRecordReader, ReadsWhatTheWriterWrote) {
    LineRecordWriter writer;
    const std::string texts[] = {"Ada", "", "a, b", "  spaced  ", "\tTab", "Jos\xC3\xA9"};
    writer.writeInteger(-32768);
    for (const auto& text : texts) {
        writer.writeText(text);
    }
    writer.writeInteger(255);
    LineRecordReader reader = readerOf(writer.bytes());
    EXPECT_EQ(reader.readInt16(), -32768);
    for (const auto& text : texts) {
        EXPECT_EQ(reader.readString(), text);
    }
    EXPECT_EQ(reader.readByte(), 255);
}

TEST(LineRecordReader, ANumberEndsAtABlankOrCommaAndTakesTheRestOfItsLine) {
    LineRecordReader reader = readerOf("  12  34\r\n7,8\n-3\n+4\n2.5\n3.5 tail\r\n9");
    EXPECT_EQ(reader.readInt16(), 12);
    EXPECT_EQ(reader.readInt16(), 7);
    EXPECT_EQ(reader.readInt16(), -3);
    EXPECT_EQ(reader.readInt16(), 4);
    EXPECT_EQ(reader.readInt16(), 2);  // halves to even
    EXPECT_EQ(reader.readInt16(), 4);
    EXPECT_EQ(reader.readInt16(), 9);  // a last line without its line end
}

TEST(LineRecordReader, AStringSkipsLeadingBlanksAndEndsAtACommaOrTheLineEnd) {
    LineRecordReader reader =
        readerOf("   Ada  \r\nBob,Carl\r\n\"Dee, Esq.\" rest,Fay\r\n\"open\n\n");
    EXPECT_EQ(reader.readString(), "Ada");
    EXPECT_EQ(reader.readString(), "Bob");
    EXPECT_EQ(reader.readString(), "Carl");       // the next read goes on after the comma
    EXPECT_EQ(reader.readString(), "Dee, Esq.");  // quotes hold a comma
    EXPECT_EQ(reader.readString(), "Fay");
    EXPECT_EQ(reader.readString(), "open");  // an unclosed quote ends with its line
    EXPECT_EQ(reader.readString(), "");
}

TEST(LineRecordReader, BareLineFeedsAndCrLfCountLinesAlike) {
    LineRecordReader reader = readerOf("1\n2\r\n3\nx\n");
    reader.readInt16();
    reader.readInt16();
    reader.readInt16();
    EXPECT_EQ(errorOf([&] { reader.readInt16(); }),
              "Run-time error '13': Type mismatch (test.txt, line 4)");
}

TEST(LineRecordReader, EachBadRecordGivesItsErrorWithFileAndLine) {
    EXPECT_EQ(errorOf([] { readerOf("").readInt16(); }),
              "Run-time error '62': Input past end of file (test.txt, line 1)");
    EXPECT_EQ(errorOf([] {
                  auto reader = readerOf(" 1 \r\n");
                  reader.readInt16();
                  reader.readString();
              }),
              "Run-time error '62': Input past end of file (test.txt, line 2)");
    EXPECT_EQ(errorOf([] { readerOf("\r\n").readInt16(); }),
              "Run-time error '13': Type mismatch (test.txt, line 1)");
    EXPECT_EQ(errorOf([] { readerOf("12abc\r\n").readInt16(); }),
              "Run-time error '13': Type mismatch (test.txt, line 1)");
    EXPECT_EQ(errorOf([] { readerOf("32768\r\n").readInt16(); }),
              "Run-time error '6': Overflow (test.txt, line 1, value 32768)");
    EXPECT_EQ(errorOf([] { readerOf("256\r\n").readByte(); }),
              "Run-time error '6': Overflow (test.txt, line 1, value 256)");
    EXPECT_EQ(errorOf([] { readerOf("-1\r\n").readByte(); }),
              "Run-time error '6': Overflow (test.txt, line 1, value -1)");
    EXPECT_EQ(errorOf([] { readerOf("99999999999999999999999\r\n").readInt32(); }),
              "Run-time error '6': Overflow (test.txt, line 1, value out of range)");
}

// The toolkit switches the program to the user's locale; a point stays the
// decimal point where the locale writes a comma.
TEST(LineRecordReader, APointIsTheDecimalPointInEveryLocale) {
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    bool switched = false;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "nl_NL.UTF-8"}) {
        if (!switched && std::setlocale(LC_NUMERIC, name) != nullptr) {
            switched = true;
        }
    }
    if (!switched) {
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    }
    auto reader = readerOf("601.5\r\n-2.5\r\n");
    const std::int16_t first = reader.readInt16();
    const std::int16_t second = reader.readInt16();
    std::setlocale(LC_NUMERIC, previous.c_str());
    EXPECT_EQ(first, 602);
    EXPECT_EQ(second, -2);
}

TEST(LineRecordReader, HundredsOfDigitsAreTooLargeOrNextToNothing) {
    EXPECT_EQ(readerOf("0." + std::string(400, '0') + "1\r\n").readInt16(), 0);
    EXPECT_EQ(errorOf([] { readerOf(std::string(400, '9') + "\r\n").readInt16(); }),
              "Run-time error '6': Overflow (test.txt, line 1, value infinite)");
}

}  // namespace
}  // namespace tilebash
