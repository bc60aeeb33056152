// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <exception>
#include <stdexcept>
#include <string>

namespace tilebash {

// The errors a program reports to the player before it ends. The numbers and
// names are the classic BASIC run-time error codes, so a message reads like
// "Run-time error '53': File not found (level3.wkl)".
enum class ErrorCode : int {
    InvalidArgument = 5,
    Overflow = 6,
    TypeMismatch = 13,
    FileNotFound = 53,
    InputPastEndOfFile = 62,
    PathFileAccess = 75,
};

const char* errorName(ErrorCode code);

class RuntimeError : public std::runtime_error {
  public:
    // `subject` says what the error concerns: a file name, a file and line,
    // or a value. It may be empty. `detail` is what lies behind it, for the
    // line on standard error only: the path behind a link, the system's
    // reason.
    RuntimeError(ErrorCode code, std::string subject, std::string detail = {});

    ErrorCode code() const { return code_; }
    int number() const { return static_cast<int>(code_); }
    const char* name() const { return errorName(code_); }
    const std::string& subject() const { return subject_; }
    const std::string& detail() const { return detail_; }

  private:
    ErrorCode code_;
    std::string subject_;
    std::string detail_;
};

// The line that reports `error` on standard error: its message, as the
// message box shows it, and then the detail of a RuntimeError, e.g.
// "Run-time error '75': Path/File access error (options.wkp): Is a directory".
// Every character a terminal could act on, and every byte that is not part
// of a UTF-8 character, is shown as "?": the path behind another user's
// link, say, can neither forge a line of its own nor reach the player's
// terminal as a command.
std::string diagnosticLine(const std::exception& error);

}  // namespace tilebash
