// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "read_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "file_descriptor.h"
#include "path_walk.h"
#include "runtime_error.h"

namespace tilebash {

namespace {

constexpr std::size_t kReadLimit = 1 << 20;

std::string readUpToLimit(int fd, const std::filesystem::path& path, const Location& at) {
    std::string content;
    char buffer[8192];
    while (content.size() < kReadLimit) {
        ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            const int error = errno;
            failAt(ErrorCode::PathFileAccess, path, at, reasonOf(error));
        }
        if (got == 0) {
            break;
        }
        content.append(buffer, static_cast<std::size_t>(got));
    }
    if (content.size() > kReadLimit) {
        content.resize(kReadLimit);
    }
    return content;
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
    return readUpToLimit(file.get(), path, at);
}

}  // namespace tilebash
