// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "runtime_error.h"

// The text format of every file of both programs: one value per line, CR LF
// line ends, Windows-1252 text, no header, no count, no checksum.
namespace tilebash {

// Reads records in order from a file that was read whole on construction, so
// nothing stays open. Every error names the file and the line it concerns.
class LineRecordReader {
  public:
    // Raises "File not found" or "Path/File access error" naming `path`.
    explicit LineRecordReader(const std::filesystem::path& path);
    // Reads from `content` as if it were the file named `fileName`.
    LineRecordReader(std::string fileName, std::string content);

    // A number: spaces and tabs are skipped, the number ends at a space, a
    // tab, a comma or the end of the line, and the rest of the line is
    // skipped. A fraction is rounded halves to even; a value that does not
    // fit is "Overflow", a record holding no number "Type mismatch", and a
    // read at the end of the file "Input past end of file".
    std::int16_t readInt16();
    std::uint8_t readByte();
    std::int32_t readInt32();

    // A string: leading spaces and tabs are skipped and the string ends at a
    // comma or the end of the line, without its trailing spaces and tabs; the
    // next read goes on after the comma. A string that begins with a double
    // quote ends at the next double quote on its line, and the rest of the
    // field up to a comma or the end of the line is skipped.
    std::string readString();

  private:
    double readNumber();
    bool atEndOfLine() const;
    void skipBlanks();
    void skipToNextField();
    void skipLineEnd();
    std::string where() const;
    [[noreturn]] void fail(ErrorCode code) const;

    std::string fileName_;
    std::string content_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

// Collects records and writes them in one atomic step.
class LineRecordWriter {
  public:
    // " 600 " for a value that is not negative, "-5 " for a negative one.
    void writeInteger(long long value);
    // The text unchanged (in Windows-1252; a character the code page cannot
    // hold becomes "?").
    void writeString(std::string_view text);
    // The text between double quotes where it would not read back unchanged
    // otherwise (a comma, leading or trailing blanks, a leading quote), and
    // it contains no double quote of its own; otherwise unchanged.
    void writeText(std::string_view text);

    const std::string& bytes() const { return bytes_; }
    // Replaces the file atomically; see writeFileAtomically.
    void commit(const std::filesystem::path& path) const;

  private:
    std::string bytes_;
};

// Whether readString gives back `text` unchanged when it is written as is.
bool readsBackUnquoted(std::string_view text);

}  // namespace tilebash
