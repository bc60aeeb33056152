// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "path_walk.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <deque>
#include <system_error>

namespace tilebash {

namespace {

// The system's own limit of links on one path.
constexpr int kMaxLinks = 40;

// Where more than the folder's owner may add links (its group or anyone,
// sticky or not), another user's link can have been put there to send this
// process's reads and writes to a file of their choice: only this user's own
// links and root's are followed there. In a folder that only its owner may
// write, whoever made the link could change the folder anyway. (The
// system's protected-symlinks rule covers only sticky folders that everyone
// may write, and trusts their owners' links too.)
bool mayFollow(const struct stat& folder, const struct stat& link) {
    return (folder.st_mode & (S_IWGRP | S_IWOTH)) == 0 || link.st_uid == ::geteuid() ||
           link.st_uid == 0;
}

// The names of `path` in order, without its root and empty names.
std::deque<std::string> namesOf(const std::filesystem::path& path) {
    std::deque<std::string> names;
    for (const std::filesystem::path& name : path.relative_path()) {
        if (!name.empty()) {
            names.push_back(name.string());
        }
    }
    return names;
}

// A path as the player would look for it. It may hold what another user
// chose (a link's target): the line on standard error makes it printable.
std::string shown(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::path whole = std::filesystem::absolute(path, error);
    return (error ? path : whole).lexically_normal().string();
}

class Walk {
  public:
    Walk(const std::filesystem::path& path, ErrorCode missingFolder)
        : given_(path.string()), missingFolder_(missingFolder), toGo_(namesOf(path)) {
        startAt(path.is_absolute() ? "/" : ".");
    }

    Location run() {
        if (toGo_.empty()) {
            fail(missingFolder_, ENOENT, given_);
        }
        while (true) {
            const std::string name = toGo_.front();
            toGo_.pop_front();
            const bool last = toGo_.empty();
            FileDescriptor entry(
                ::openat(folder_.get(), name.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
            struct stat info {};
            if (!entry.valid() || ::fstat(entry.get(), &info) != 0) {
                const int error = errno;
                if (last && error == ENOENT) {
                    return found(name, std::nullopt);
                }
                fail(error == ENOENT ? missingFolder_ : ErrorCode::PathFileAccess, error,
                     pathTo(name));
            }
            if (S_ISLNK(info.st_mode)) {
                follow(entry, info, name);
            } else if (last) {
                return found(name, info);
            } else if (!S_ISDIR(info.st_mode)) {
                fail(ErrorCode::PathFileAccess, ENOTDIR, pathTo(name));
            } else {
                folder_ = std::move(entry);
                where_ /= name;
            }
        }
    }

  private:
    void startAt(const char* folder) {
        folder_ = FileDescriptor(::open(folder, O_PATH | O_DIRECTORY | O_CLOEXEC));
        if (!folder_.valid()) {
            const int error = errno;
            fail(ErrorCode::PathFileAccess, error, folder);
        }
        where_ = folder[0] == '/' ? "/" : "";
    }

    // The link's target takes its place in the names still to go.
    void follow(const FileDescriptor& link, const struct stat& info, const std::string& name) {
        char target[4096];
        const ssize_t size = ::readlinkat(link.get(), "", target, sizeof target);
        if (size < 0 || static_cast<std::size_t>(size) == sizeof target) {
            const int error = size < 0 ? errno : ENAMETOOLONG;
            fail(ErrorCode::PathFileAccess, error, pathTo(name));
        }
        const std::string to(target, static_cast<std::size_t>(size));
        struct stat folder {};
        if (::fstat(folder_.get(), &folder) != 0) {
            const int error = errno;
            fail(ErrorCode::PathFileAccess, error, pathTo(name));
        }
        if (!mayFollow(folder, info)) {
            throw RuntimeError(ErrorCode::PathFileAccess, given_,
                               shown(where_ / name) + " -> " + to + ": " + reasonOf(EACCES));
        }
        if (++links_ > kMaxLinks) {
            fail(ErrorCode::PathFileAccess, ELOOP, pathTo(name));
        }
        followed_ = true;
        const std::deque<std::string> names = namesOf(to);
        toGo_.insert(toGo_.begin(), names.begin(), names.end());
        if (std::filesystem::path(to).is_absolute()) {
            startAt("/");
        }
        if (toGo_.empty()) {
            // Only a link to the root folder leaves no name to go: it leads
            // to a folder, never to a file.
            fail(ErrorCode::PathFileAccess, EISDIR, "/");
        }
    }

    Location found(const std::string& name, const std::optional<struct stat>& file) {
        return {std::move(folder_), name, file, followed_ ? shown(where_ / name) : ""};
    }

    // The path to `name` in the folder reached, and on to what is left.
    std::filesystem::path pathTo(const std::string& name) const {
        std::filesystem::path path = where_ / name;
        for (const std::string& next : toGo_) {
            path /= next;
        }
        return path;
    }

    [[noreturn]] void fail(ErrorCode code, int error, const std::filesystem::path& path) const {
        throw RuntimeError(code, given_,
                           followed_ ? shown(path) + ": " + reasonOf(error) : reasonOf(error));
    }

    std::string given_;
    ErrorCode missingFolder_;
    std::deque<std::string> toGo_;
    FileDescriptor folder_;
    std::filesystem::path where_;  // the folder reached, as a path
    int links_ = 0;
    bool followed_ = false;
};

}  // namespace

std::string Location::detail(std::string_view reason) const {
    return reached.empty() ? std::string(reason) : reached + ": " + std::string(reason);
}

Location locate(const std::filesystem::path& path, ErrorCode missingFolder) {
    return Walk(path, missingFolder).run();
}

std::string reasonOf(int error) {
    return std::generic_category().message(error);
}

void failAt(ErrorCode code, const std::filesystem::path& path, const Location& at,
            std::string_view reason) {
    throw RuntimeError(code, path.string(), at.detail(reason));
}

void refuseUnlessRegular(const std::filesystem::path& path, const Location& at,
                         const struct stat& file) {
    if (!S_ISREG(file.st_mode)) {
        failAt(ErrorCode::PathFileAccess, path, at,
               S_ISDIR(file.st_mode) ? reasonOf(EISDIR) : "Not a regular file");
    }
}

}  // namespace tilebash
