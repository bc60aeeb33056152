// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtime_error.h"

#include <string_view>

#include "windows1252.h"

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

// Control characters (below U+0020, DEL, U+0080..U+009F) and what is not
// UTF-8 (malformed and overlong sequences, surrogates) become "?".
std::string printableOnATerminal(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t start = pos;
        const char32_t c = nextUtf8Character(text, pos);
        const bool control = c < 0x20 || (c >= 0x7f && c <= 0x9f);
        // U+FFFD stands for a malformed sequence too.
        const bool malformed = c == 0xFFFD || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF;
        if (control || malformed) {
            shown.push_back('?');
        } else {
            shown.append(text, start, pos - start);
        }
    }
    return shown;
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
        return printableOnATerminal(error.what());
    }
    return printableOnATerminal(std::string(error.what()) + ": " + runtimeError->detail());
}

}  // namespace tilebash
