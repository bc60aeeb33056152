// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "atomic_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <limits>
#include <optional>

#include "runtime_error.h"

namespace tilebash {

namespace {

constexpr std::size_t kReadLimit = 1 << 20;

// Closes a descriptor when it leaves scope, unless released first.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }
    bool close() {
        int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

std::string temporaryPrefix(const std::filesystem::path& target) {
    return target.filename().string() + ".tmp-";
}

std::filesystem::path temporaryPathBeside(const std::filesystem::path& target) {
    static std::atomic<unsigned> counter{0};
    std::string name =
        temporaryPrefix(target) + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    return target.parent_path() / name;
}

bool isNumber(std::string_view text) {
    return !text.empty() && text.size() <= 10 &&
           text.find_first_not_of("0123456789") == std::string_view::npos;
}

// The process id in a temporary file name of `target` ("<name>.tmp-PID-N"),
// or 0 for any other name.
pid_t writerOf(std::string_view name, std::string_view prefix) {
    if (!name.starts_with(prefix)) {
        return 0;
    }
    name.remove_prefix(prefix.size());
    const std::size_t dash = name.find('-');
    if (dash == std::string_view::npos || !isNumber(name.substr(0, dash)) ||
        !isNumber(name.substr(dash + 1))) {
        return 0;
    }
    long long pid = 0;
    std::from_chars(name.data(), name.data() + dash, pid);
    return pid <= std::numeric_limits<pid_t>::max() ? static_cast<pid_t>(pid) : 0;
}

// A process killed between creating its temporary file and renaming it
// leaves that file behind; removing those whose writer is gone keeps them
// from piling up. One named after this very process is stale too: the
// programs save from one thread, and a save removes or renames its own file
// before it returns, so that one was left by an earlier process with the
// same id, and its name could collide with ours.
void removeStaleTemporaries(const std::filesystem::path& target) {
    const std::filesystem::path folder =
        target.parent_path().empty() ? std::filesystem::path(".") : target.parent_path();
    const std::string prefix = temporaryPrefix(target);
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        const pid_t writer = writerOf(it->path().filename().string(), prefix);
        if (writer <= 0) {
            continue;
        }
        if (writer == ::getpid() || (::kill(writer, 0) != 0 && errno == ESRCH)) {
            ::unlink(it->path().c_str());
        }
    }
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The file being replaced, whose permissions and owner the new file keeps.
std::optional<struct stat> existingFile(const std::filesystem::path& target) {
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
        return info;
    }
    return std::nullopt;
}

// Where a write of `target` lands: the file itself, or the final target of
// the symbolic link (or chain of links) it is, so that the link stays a link
// to the new content, as the player set it up. A target that does not exist
// yet is where it would be created. A chain that does not end within the
// system's own limit of links is a loop.
std::filesystem::path finalTarget(const std::filesystem::path& target) {
    constexpr int kMaxLinks = 40;
    std::filesystem::path path = target;
    for (int links = 0;; ++links) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return path;
        }
        std::error_code error;
        const std::filesystem::path next = std::filesystem::read_symlink(path, error);
        if (error || links == kMaxLinks) {
            throw RuntimeError(ErrorCode::PathFileAccess, target.string());
        }
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
}

// A file that exists but that this process may not write (the player made it
// read-only) is kept as it is, although a rename only needs the folder's
// permission. The system's own rule decides, so root writes what root may.
bool mayReplace(const std::filesystem::path& file) {
    return ::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) == 0 || errno == ENOENT;
}

// Flushes the folder's entry for the renamed file, so that after a power cut
// the folder holds the new file and not the old one (or none).
void flushFolderOf(const std::filesystem::path& file) {
    const std::filesystem::path folder =
        file.parent_path().empty() ? std::filesystem::path(".") : file.parent_path();
    FileDescriptor handle(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (handle.get() >= 0) {
        ::fsync(handle.get());
    }
}

}  // namespace

std::string readWholeFile(const std::filesystem::path& path) {
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) {
        throw RuntimeError(errno == ENOENT ? ErrorCode::FileNotFound : ErrorCode::PathFileAccess,
                           path.string());
    }
    std::string content;
    char buffer[8192];
    while (content.size() < kReadLimit) {
        ssize_t got = ::read(file.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            throw RuntimeError(ErrorCode::PathFileAccess, path.string());
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

void writeFileAtomically(const std::filesystem::path& target, std::string_view bytes) {
    const std::filesystem::path file = finalTarget(target);
    if (!mayReplace(file)) {
        throw RuntimeError(ErrorCode::PathFileAccess, target.string());
    }
    removeStaleTemporaries(file);
    const std::filesystem::path temporary = temporaryPathBeside(file);
    const std::optional<struct stat> existing = existingFile(file);
    // A new file gets the usual 0666 less the umask.
    const mode_t mode = existing ? existing->st_mode & 07777 : 0666;
    FileDescriptor handle(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
    if (handle.get() < 0) {
        throw RuntimeError(ErrorCode::PathFileAccess, target.string());
    }
    if (existing) {
        // Root saving a player's file leaves it the player's, so that the
        // player can still save it; anyone else can keep only a group they
        // belong to. Either way the save goes on.
        if (::fchown(handle.get(), existing->st_uid, existing->st_gid) != 0) {
            static_cast<void>(::fchown(handle.get(), static_cast<uid_t>(-1), existing->st_gid));
        }
    }
    bool written = writeAll(handle.get(), bytes) &&
                   (!existing || ::fchmod(handle.get(), mode) == 0) && ::fsync(handle.get()) == 0;
    written = handle.close() && written;
    if (!written || std::rename(temporary.c_str(), file.c_str()) != 0) {
        ::unlink(temporary.c_str());
        throw RuntimeError(ErrorCode::PathFileAccess, target.string());
    }
    // Every failure up to here is reported: the old file is still in place.
    // A failure of the flush is not: after the rename the new content is in
    // place and every reader sees it, so "the save failed" would be untrue
    // and nothing could bring the old file back. The same holds for a folder
    // that cannot be opened to flush (no read permission, only write and
    // search) or a file system that does not flush folders.
    flushFolderOf(file);
}

}  // namespace tilebash
