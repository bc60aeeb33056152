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
// bytes go to a new file beside it, are flushed to disk and renamed over it.
// On any failure the previous file stays whole, the new file is removed and
// "Path/File access error" naming `target` is raised. A new file that a
// killed process left beside `target` is removed by the next write of
// `target` once that process is gone; it is never read in its place.
void writeFileAtomically(const std::filesystem::path& target, std::string_view bytes);

}  // namespace tilebash
