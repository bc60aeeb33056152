// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "common/runtime_error.h"

// What the fuzz targets share: the errors a damaged file may raise, and a
// private working folder for the loaders that open files by name.
namespace tilebash::fuzz {

// A damaged file may only end in "Overflow", "Type mismatch" or "Input past
// end of file"; anything else is a finding, reported as a crash.
inline void expectReadingError(const RuntimeError& error) {
    const ErrorCode code = error.code();
    if (code != ErrorCode::Overflow && code != ErrorCode::TypeMismatch &&
        code != ErrorCode::InputPastEndOfFile) {
        std::fprintf(stderr, "unexpected run-time error: %s\n", error.what());
        std::abort();
    }
}

[[noreturn]] inline void finding(const char* what) {
    std::fprintf(stderr, "finding: %s\n", what);
    std::abort();
}

// Makes a fresh folder the working folder for the rest of the run. It lies in
// /dev/shm where there is one, so that the atomic saves (with their fsync)
// cost next to nothing.
inline void enterScratchFolder() {
    std::filesystem::path base = "/dev/shm";
    std::error_code error;
    if (!std::filesystem::is_directory(base, error) || ::access(base.c_str(), W_OK) != 0) {
        base = std::filesystem::temp_directory_path();
    }
    std::string pattern = (base / "tilebash-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        finding("cannot create a scratch folder");
    }
    std::filesystem::current_path(pattern);
    // Removed at exit; a crash leaves it behind for a look.
    static const std::filesystem::path folder = pattern;
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    });
}

}  // namespace tilebash::fuzz
