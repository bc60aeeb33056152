// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>
#include <string_view>

namespace tilebash {

// Replaces `target` with `bytes` so that it is never seen half written: the
// bytes go to a new file beside it, are flushed to disk and renamed over it,
// and the folder is flushed so that the new name survives a power cut. Every
// step is taken relative to the folder found first, so that a folder or link
// swapped in the middle cannot send the save anywhere else. A `target` that
// is a symbolic link, or a chain of them, stays one: the file it finally
// points to is replaced, or created if it is missing, wherever `locate` lets
// the links be followed.
//
// The replaced file's permissions and access ACL (and, as far as this user
// may, its owner and group) are kept, without set-user-ID, set-group-ID and
// sticky bits; where the owner or group cannot be kept, or the ACL cannot be
// copied, nobody gets more access than the old file gave. A file without an
// ACL is replaced by one without, whatever default ACL its folder has. A new
// file gets the usual 0666 less the umask (or its folder's default ACL).
//
// "Path/File access error" naming `target` is raised, and nothing is
// written, when the file exists but this user may not write it (or, for
// root too, it has no write bit at all) or it is not a regular file, when a
// link may not be followed or the links loop, or when the folder to write
// into is missing. On any failure the previous file
// stays whole and the new file is removed. A new file that a killed process
// left behind is removed by the next write of the same file by the same
// user; it is never read in its place.
void writeFileAtomically(const std::filesystem::path& target, std::string_view bytes);

}  // namespace tilebash
