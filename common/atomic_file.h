// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tilebash {

// Reads a whole file. A missing file raises "File not found", any other
// failure "Path/File access error"; both name `path` as given. Only the first
// megabyte is read: far more than any file of the programs holds, and it
// keeps a huge stray file from filling memory.
std::string readWholeFile(const std::filesystem::path& path);

// Replaces `target` with `bytes` so that it is never seen half written: the
// bytes go to a new file beside it, are flushed to disk and renamed over it,
// and the folder is flushed so that the new name survives a power cut. The
// replaced file's permissions (and, as far as this user may, its owner) are
// kept. A `target` that is a symbolic link, or a chain of them, stays one:
// the file it finally points to is replaced, or created if it is missing.
//
// "Path/File access error" naming `target` is raised, and nothing is
// written, when the file exists but this user may not write it, when the
// links loop, or when the folder to write into is missing. On any failure
// the previous file stays whole and the new file is removed. A new file that
// a killed process left behind is removed by the next write of the same file
// once that process is gone; it is never read in its place.
void writeFileAtomically(const std::filesystem::path& target, std::string_view bytes);

}  // namespace tilebash
