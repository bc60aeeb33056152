// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>
#include <string>

namespace tilebash {

// Reads a whole file. A missing file raises "File not found", any other
// failure "Path/File access error"; both name `path` as given, and their
// detail says the path behind a link and the system's reason. Symbolic links
// are followed as `locate` says, and only a regular file is read: anything
// else (a named pipe, a device, a folder) is refused at once, never waited
// on. A file larger than a mebibyte is refused with "Path/File access error",
// its detail saying its size and the limit: far more than any file of the
// programs holds, it keeps a huge stray file from filling memory, and a file
// is never read cut short.
std::string readWholeFile(const std::filesystem::path& path);

}  // namespace tilebash
