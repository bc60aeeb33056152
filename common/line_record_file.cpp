// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "line_record_file.h"

#include <charconv>
#include <cmath>

#include "atomic_file.h"
#include "numeric.h"
#include "read_file.h"
#include "runtime_error.h"
#include "windows1252.h"

namespace tilebash {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// An optional sign, digits, and an optional point with further digits; at
// least one digit in all.
bool isDecimalNumber(std::string_view token) {
    std::size_t i = 0;
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) {
        ++i;
    }
    std::size_t digits = 0;
    for (; i < token.size() && isDigit(token[i]); ++i) {
        ++digits;
    }
    if (i < token.size() && token[i] == '.') {
        for (++i; i < token.size() && isDigit(token[i]); ++i) {
            ++digits;
        }
    }
    return digits > 0 && i == token.size();
}

// The value of a token that isDecimalNumber accepted. from_chars reads a
// point as the decimal point whatever the locale: the toolkit switches the
// program to the user's locale, where strtod would stop at the point of
// "601.5" under a decimal comma.
double decimalValue(std::string_view token) {
    const bool negative = token.front() == '-';
    if (token.front() == '+' || negative) {
        token.remove_prefix(1);
    }
    double value = 0;
    const std::from_chars_result result =
        std::from_chars(token.data(), token.data() + token.size(), value, std::chars_format::fixed);
    if (result.ec == std::errc::result_out_of_range) {
        // Hundreds of digits: beyond every target type if any of them comes
        // before the point, otherwise next to nothing.
        const bool large = token.find_first_of("123456789") < token.find('.');
        value = large ? HUGE_VAL : 0.0;
    }
    return negative ? -value : value;
}

}  // namespace

LineRecordReader::LineRecordReader(const std::filesystem::path& path)
    : LineRecordReader(path.string(), readWholeFile(path)) {}

LineRecordReader::LineRecordReader(std::string fileName, std::string content)
    : fileName_(std::move(fileName)), content_(std::move(content)) {}

std::string LineRecordReader::where() const {
    return fileName_ + ", line " + std::to_string(line_);
}

void LineRecordReader::fail(ErrorCode code) const {
    throw RuntimeError(code, where());
}

bool LineRecordReader::atEndOfLine() const {
    return pos_ >= content_.size() || isLineEnd(content_[pos_]);
}

void LineRecordReader::skipBlanks() {
    while (pos_ < content_.size() && isBlank(content_[pos_])) {
        ++pos_;
    }
}

// CR LF, a bare LF, or a CR standing alone all end a line.
void LineRecordReader::skipLineEnd() {
    if (pos_ < content_.size() && content_[pos_] == '\r') {
        ++pos_;
    }
    if (pos_ < content_.size() && content_[pos_] == '\n') {
        ++pos_;
    }
    ++line_;
}

void LineRecordReader::skipToNextField() {
    while (!atEndOfLine() && content_[pos_] != ',') {
        ++pos_;
    }
    if (atEndOfLine()) {
        if (pos_ < content_.size()) {
            skipLineEnd();
        }
    } else {
        ++pos_;  // the comma
    }
}

double LineRecordReader::readNumber() {
    if (pos_ >= content_.size()) {
        fail(ErrorCode::InputPastEndOfFile);
    }
    skipBlanks();
    std::size_t start = pos_;
    while (!atEndOfLine() && !isBlank(content_[pos_]) && content_[pos_] != ',') {
        ++pos_;
    }
    std::string token = content_.substr(start, pos_ - start);
    if (!isDecimalNumber(token)) {
        fail(ErrorCode::TypeMismatch);
    }
    while (!atEndOfLine()) {
        ++pos_;
    }
    if (pos_ < content_.size()) {
        skipLineEnd();
    }
    return decimalValue(token);
}

std::int16_t LineRecordReader::readInt16() {
    std::string subject = where() + ", value";
    return toInt16(readNumber(), subject);
}

std::uint8_t LineRecordReader::readByte() {
    std::string subject = where() + ", value";
    return toByte(readNumber(), subject);
}

std::int32_t LineRecordReader::readInt32() {
    std::string subject = where() + ", value";
    return toInt32(readNumber(), subject);
}

std::string LineRecordReader::readString() {
    if (pos_ >= content_.size()) {
        fail(ErrorCode::InputPastEndOfFile);
    }
    skipBlanks();
    std::size_t start = pos_;
    std::string_view field;
    if (!atEndOfLine() && content_[pos_] == '"') {
        start = ++pos_;
        while (!atEndOfLine() && content_[pos_] != '"') {
            ++pos_;
        }
        field = std::string_view(content_).substr(start, pos_ - start);
    } else {
        while (!atEndOfLine() && content_[pos_] != ',') {
            ++pos_;
        }
        std::size_t end = pos_;
        while (end > start && isBlank(content_[end - 1])) {
            --end;
        }
        field = std::string_view(content_).substr(start, end - start);
    }
    std::string text = utf8FromWindows1252(field);
    skipToNextField();
    return text;
}

void LineRecordWriter::writeInteger(long long value) {
    if (value >= 0) {
        bytes_ += ' ';
    }
    bytes_ += decimalText(value);
    bytes_ += " \r\n";
}

void LineRecordWriter::writeString(std::string_view text) {
    bytes_ += windows1252FromUtf8(text);
    bytes_ += "\r\n";
}

void LineRecordWriter::writeText(std::string_view text) {
    if (readsBackUnquoted(text) || text.find('"') != std::string_view::npos) {
        writeString(text);
    } else {
        // Appended piece by piece: GCC 12 at -O3 takes `"\"" + std::string(...)`
        // for an overlapping memcpy (-Wrestrict, GCC bug 105329).
        std::string quoted;
        quoted.reserve(text.size() + 2);
        quoted += '"';
        quoted += text;
        quoted += '"';
        writeString(quoted);
    }
}

void LineRecordWriter::commit(const std::filesystem::path& path) const {
    writeFileAtomically(path, bytes_);
}

bool readsBackUnquoted(std::string_view text) {
    if (text.empty()) {
        return true;
    }
    return text.find(',') == std::string_view::npos && !isBlank(text.front()) &&
           !isBlank(text.back()) && text.front() != '"';
}

}  // namespace tilebash
