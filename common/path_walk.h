// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "file_descriptor.h"
#include "runtime_error.h"

namespace tilebash {

// Where a path leads: the folder that holds the file, opened, and the file's
// name in it. Reading and writing go on relative to that folder, so that a
// folder or link swapped meanwhile cannot send them anywhere else.
struct Location {
    FileDescriptor folder;            // opened only to find things in it (O_PATH)
    std::string name;                 // never a symbolic link
    std::optional<struct stat> file;  // as found; nothing where there is none yet
    std::string reached;              // the path the links led to, or empty where none was followed

    // The line-end detail of an error about the file: the path behind the
    // links, where it differs from the name given, and `reason`.
    std::string detail(std::string_view reason) const;
};

// Follows `path` one name at a time, symbolic links included, whatever the
// system's protected-symlinks setting is: a link in a folder that more than
// its owner may write (its group or anyone, sticky or not) is followed only
// when this user or root owns it. In a folder that only its owner may write
// a link is followed as always.
//
// Raises "Path/File access error" naming `path` for a link that may not be
// followed, a loop of links, or a folder on the way that cannot be searched;
// `missingFolder` where a folder on the way does not exist.
Location locate(const std::filesystem::path& path, ErrorCode missingFolder);

// What the system says about `error`, e.g. "Permission denied".
std::string reasonOf(int error);

// Raises `code` naming `path`, with the detail of `at` and `reason`.
[[noreturn]] void failAt(ErrorCode code, const std::filesystem::path& path, const Location& at,
                         std::string_view reason);

// Only a regular file is read or replaced: a named pipe would hang the
// program, and a save through a link to a device would replace the device.
// Raises "Path/File access error" naming `path` for anything else.
void refuseUnlessRegular(const std::filesystem::path& path, const Location& at,
                         const struct stat& file);

}  // namespace tilebash
