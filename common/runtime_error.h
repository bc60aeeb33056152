// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

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
    // or a value. It may be empty.
    RuntimeError(ErrorCode code, std::string subject);

    ErrorCode code() const { return code_; }
    int number() const { return static_cast<int>(code_); }
    const char* name() const { return errorName(code_); }
    const std::string& subject() const { return subject_; }

  private:
    ErrorCode code_;
    std::string subject_;
};

}  // namespace tilebash
