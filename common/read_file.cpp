// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "read_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <string>

#include "file_descriptor.h"
#include "path_walk.h"
#include "runtime_error.h"

namespace tilebash {

namespace {

constexpr std::size_t kReadLimit = 1 << 20;

[[noreturn]] void refuseTooLarge(const std::filesystem::path& path, const Location& at,
                                 std::uintmax_t size) {
    failAt(ErrorCode::PathFileAccess, path, at,
           reasonOf(EFBIG) + " (" + std::to_string(size) + " bytes, the limit is " +
               std::to_string(kReadLimit) + ")");
}

// One byte more than the limit is asked for, so that a file that grew after
// its size was taken is refused as well.
std::string readUpToLimit(int fd, const std::filesystem::path& path, const Location& at) {
    std::string content;
    char buffer[8192];
    while (content.size() <= kReadLimit) {
        ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            const int error = errno;
            failAt(ErrorCode::PathFileAccess, path, at, reasonOf(error));
        }
        if (got == 0) {
            return content;
        }
        content.append(buffer, static_cast<std::size_t>(got));
    }
    std::uintmax_t size = content.size();
    struct stat info {};
    if (::fstat(fd, &info) == 0) {
        size = std::max(size, static_cast<std::uintmax_t>(info.st_size));
    }
    refuseTooLarge(path, at, size);
}

}  // namespace

std::string readWholeFile(const std::filesystem::path& path) {
    const Location at = locate(path, ErrorCode::FileNotFound);
    if (!at.file) {
        failAt(ErrorCode::FileNotFound, path, at, reasonOf(ENOENT));
    }
    refuseUnlessRegular(path, at, *at.file);
    // Without waiting, and checked again once open: what was found may have
    // been swapped for a named pipe meanwhile.
    FileDescriptor file(::openat(at.folder.get(), at.name.c_str(),
                                 O_RDONLY | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC));
    struct stat info {};
    if (!file.valid() || ::fstat(file.get(), &info) != 0) {
        const int error = errno;
        failAt(error == ENOENT ? ErrorCode::FileNotFound : ErrorCode::PathFileAccess, path, at,
               reasonOf(error));
    }
    refuseUnlessRegular(path, at, info);
    // Never cut short: the rest of a file is as much its content as the start.
    if (static_cast<std::uintmax_t>(info.st_size) > kReadLimit) {
        refuseTooLarge(path, at, static_cast<std::uintmax_t>(info.st_size));
    }
    return readUpToLimit(file.get(), path, at);
}

}  // namespace tilebash
