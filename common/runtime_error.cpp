// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtime_error.h"

namespace tilebash {

const char* errorName(ErrorCode code) {
    switch (code) {
        case ErrorCode::InvalidArgument:
            return "Invalid procedure call or argument";
        case ErrorCode::Overflow:
            return "Overflow";
        case ErrorCode::TypeMismatch:
            return "Type mismatch";
        case ErrorCode::FileNotFound:
            return "File not found";
        case ErrorCode::InputPastEndOfFile:
            return "Input past end of file";
        case ErrorCode::PathFileAccess:
            return "Path/File access error";
    }
    return "Unknown error";
}

namespace {

std::string describe(ErrorCode code, const std::string& subject) {
    std::string text = "Run-time error '" + std::to_string(static_cast<int>(code)) + "': ";
    text += errorName(code);
    if (!subject.empty()) {
        text += " (" + subject + ")";
    }
    return text;
}

}  // namespace

RuntimeError::RuntimeError(ErrorCode code, std::string subject, std::string detail)
    : std::runtime_error(describe(code, subject)),
      code_(code),
      subject_(std::move(subject)),
      detail_(std::move(detail)) {}

std::string diagnosticLine(const std::exception& error) {
    const auto* runtimeError = dynamic_cast<const RuntimeError*>(&error);
    if (runtimeError == nullptr || runtimeError->detail().empty()) {
        return error.what();
    }
    return std::string(error.what()) + ": " + runtimeError->detail();
}

}  // namespace tilebash
