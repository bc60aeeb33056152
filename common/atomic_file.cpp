// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <utility>

#include "file_descriptor.h"
#include "path_walk.h"
#include "runtime_error.h"

namespace tilebash {

namespace {

// A temporary file's name is the target's, this, and random letters.
constexpr std::string_view kTemporaryMark = ".tmp-";
constexpr std::string_view kTemporaryLetters = "0123456789abcdefghijklmnopqrstuvwxyz";
constexpr std::size_t kTemporaryRandomLength = 12;

// --- temporary files ---------------------------------------------------------

std::string temporaryNameOf(const std::string& target) {
    static std::random_device random;
    std::uniform_int_distribution<std::size_t> letter(0, kTemporaryLetters.size() - 1);
    std::string name = target + std::string(kTemporaryMark);
    for (std::size_t i = 0; i < kTemporaryRandomLength; ++i) {
        name += kTemporaryLetters[letter(random)];
    }
    return name;
}

bool isTemporaryNameOf(std::string_view name, const std::string& target) {
    const std::size_t prefix = target.size() + kTemporaryMark.size();
    return name.size() == prefix + kTemporaryRandomLength && name.starts_with(target) &&
           name.substr(target.size()).starts_with(kTemporaryMark) &&
           name.find_first_not_of(kTemporaryLetters, prefix) == std::string_view::npos;
}

// A new file that becomes the target by a rename. It is locked for as long
// as it is written, which tells it from one that a killed writer left
// behind; left unrenamed, it is removed.
struct Temporary {
    int folder = -1;
    std::string name;
    FileDescriptor file;
    bool renamed = false;

    Temporary(int folderFd, std::string fileName, FileDescriptor fd)
        : folder(folderFd), name(std::move(fileName)), file(std::move(fd)) {}
    Temporary(Temporary&&) = default;
    Temporary& operator=(Temporary&&) = delete;
    ~Temporary() {
        if (!renamed && file.valid()) {
            ::unlinkat(folder, name.c_str(), 0);
        }
    }
};

// A name nobody can guess, so that nobody can plant a file or link under it
// beforehand; made only if nothing has that name. It starts readable and
// writable by this user alone (a new file: as the system makes any new one,
// 0666 less the umask), and gets its permissions once its owner is settled.
Temporary createTemporary(const std::filesystem::path& target, const Location& at) {
    const mode_t mode = at.file ? 0600 : 0666;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = temporaryNameOf(at.name);
        FileDescriptor file(::openat(at.folder.get(), name.c_str(),
                                     O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
        if (!file.valid()) {
            const int error = errno;
            if (error == EEXIST) {
                continue;
            }
            failAt(ErrorCode::PathFileAccess, target, at, reasonOf(error));
        }
        Temporary temporary(at.folder.get(), std::move(name), std::move(file));
        // Another writer's clean-up that came between the create and the
        // lock may hold it, or have removed it: then it is no longer ours to
        // rename. A file system without locks (NFS with no lock service)
        // refuses every lock; the save goes on there, and no clean-up can
        // take the file either, since it cannot lock it.
        const bool heldByCleanUp =
            ::flock(temporary.file.get(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
        struct stat info {};
        if (!heldByCleanUp && ::fstat(temporary.file.get(), &info) == 0 && info.st_nlink > 0) {
            return temporary;
        }
    }
    failAt(ErrorCode::PathFileAccess, target, at, reasonOf(EEXIST));
}

// One that a killed writer left behind: a regular file of this user's that
// no live writer holds locked. Another user's file, a link and whatever lies
// behind it, and a file that is being written (by a process in another
// PID namespace too) are left alone.
void removeIfAbandoned(int folder, const char* name) {
    const auto same = [](const struct stat& a, const struct stat& b) {
        return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
    };
    // Nothing but this user's own regular file is even opened.
    struct stat entry {};
    if (::fstatat(folder, name, &entry, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(entry.st_mode) ||
        entry.st_uid != ::geteuid()) {
        return;
    }
    // Open for writing: over NFS an exclusive lock needs it.
    FileDescriptor file(
        ::openat(folder, name, O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat info {};
    if (!file.valid() || ::fstat(file.get(), &info) != 0 || !same(info, entry) ||
        ::flock(file.get(), LOCK_EX | LOCK_NB) != 0) {
        return;
    }
    if (::fstatat(folder, name, &entry, AT_SYMLINK_NOFOLLOW) == 0 && same(entry, info)) {
        ::unlinkat(folder, name, 0);
    }
}

// Keeps the target's own folder clear of what killed writers left.
void removeAbandonedTemporaries(const Location& at) {
    FileDescriptor listing(::openat(at.folder.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!listing.valid()) {
        return;  // a folder this user may not list (write and search permission only)
    }
    std::unique_ptr<DIR, int (*)(DIR*)> folder(::fdopendir(listing.get()), ::closedir);
    if (folder == nullptr) {
        return;
    }
    listing.release();
    while (const dirent* entry = ::readdir(folder.get())) {
        if (isTemporaryNameOf(entry->d_name, at.name)) {
            removeIfAbandoned(at.folder.get(), entry->d_name);
        }
    }
}

// --- owner and permissions ----------------------------------------------------

// The permission bits of a file that replaces one of `old` mode, when its
// owner or group could not be kept: nobody may do more with it than with the
// old file. This user, the new owner, keeps what it could do as a member of
// the old group or as anyone; the old owner is now among the group or
// anyone; and where the group changed, the old group's members are among
// anyone and anyone may be in the new group. Set-user-ID, set-group-ID and
// sticky bits are never carried over.
mode_t keptPermissions(mode_t old, bool ownerKept, bool groupKept) {
    mode_t owner = (old >> 6) & 7;
    mode_t group = (old >> 3) & 7;
    mode_t other = old & 7;
    if (!ownerKept) {
        const mode_t previousOwner = owner;
        owner = groupKept ? group : other;
        group &= previousOwner;
        other &= previousOwner;
    }
    if (!groupKept) {
        group &= other;
        other = group;
    }
    return owner << 6 | group << 3 | other;
}

// --- the access ACL -------------------------------------------------------------

// Where the system keeps a file's access ACL: a version (2) and then one
// entry after the other (tag, permissions, user or group id), little-endian.
constexpr const char* kAccessAcl = "system.posix_acl_access";
constexpr std::uint16_t kAclUserObj = 0x01, kAclUser = 0x02, kAclGroupObj = 0x04, kAclGroup = 0x08,
                        kAclMask = 0x10, kAclOther = 0x20;

// The old file's access ACL, as the attribute's bytes: empty where it has
// none, nothing where it could not be read. It is read from the file found,
// opened again by name and checked to be the same: for reading where this
// user may, or else through the /proc entry of an O_PATH descriptor (which
// takes no attribute call itself), which needs no permission on the file.
std::optional<std::string> accessAclOf(const Location& at) {
    const auto read = [](const auto& get) -> std::optional<std::string> {
        for (int attempt = 0; attempt < 3; ++attempt) {
            const ssize_t size = get(nullptr, 0);
            std::string bytes(size > 0 ? static_cast<std::size_t>(size) : 0, '\0');
            const ssize_t got = size >= 0 ? get(bytes.data(), bytes.size()) : -1;
            if (got >= 0) {
                bytes.resize(static_cast<std::size_t>(got));
                return bytes;
            }
            if (errno == ENODATA || errno == ENOTSUP) {
                return std::string();
            }
            if (errno != ERANGE) {  // ERANGE: it grew between the two calls
                return std::nullopt;
            }
        }
        return std::nullopt;
    };
    const auto same = [&at](const FileDescriptor& file) {
        struct stat info {};
        return file.valid() && ::fstat(file.get(), &info) == 0 && info.st_dev == at.file->st_dev &&
               info.st_ino == at.file->st_ino;
    };
    const FileDescriptor readable(
        ::openat(at.folder.get(), at.name.c_str(),
                 O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (same(readable)) {
        return read([&](void* value, std::size_t size) {
            return ::fgetxattr(readable.get(), kAccessAcl, value, size);
        });
    }
    const FileDescriptor found(
        ::openat(at.folder.get(), at.name.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
    if (!same(found)) {
        return std::nullopt;
    }
    const std::string entry = "/proc/self/fd/" + std::to_string(found.get());
    return read([&](void* value, std::size_t size) {
        return ::getxattr(entry.c_str(), kAccessAcl, value, size);
    });
}

// What this user may do with the old file: read 4, write 2, search 1.
mode_t accessToOld(const Location& at) {
    const auto may = [&at](int mode, mode_t bit) {
        return ::faccessat(at.folder.get(), at.name.c_str(), mode, AT_EACCESS) == 0 ? bit : 0;
    };
    return may(R_OK, 04) | may(W_OK, 02) | may(X_OK, 01);
}

// The permission bits of a new file without an ACL that replaces one with
// `acl` (nothing: one that could not be read) and `old` mode: nobody may do
// more with it than the ACL let them. The owner, kept, keeps what the ACL
// gave the owner; a new owner (this user) keeps what it could do. Anyone
// else, in the new file's group or not, gets no more than the least that
// anyone but the owner could do: the least of the named users', the
// groups' (each as far as the mask lets it) and the others' permissions,
// and of the old owner's where the owner changed.
mode_t permissionsWithoutAcl(const std::optional<std::string>& acl, mode_t old, bool ownerKept,
                             mode_t writerAccess) {
    mode_t owner = (old >> 6) & 7;
    mode_t least = 0;
    if (acl && acl->size() >= 4 && (acl->size() - 4) % 8 == 0) {
        mode_t mask = 7;
        mode_t masked = 7;
        mode_t other = 7;
        for (std::size_t at = 4; at < acl->size(); at += 8) {
            const auto byte = [&](std::size_t i) {
                return static_cast<unsigned>(static_cast<unsigned char>((*acl)[at + i]));
            };
            const unsigned tag = byte(0) | byte(1) << 8u;
            const mode_t permissions = byte(2) & 7u;
            if (tag == kAclUserObj) {
                owner = permissions;
            } else if (tag == kAclMask) {
                mask = permissions;
            } else if (tag == kAclOther) {
                other = permissions;
            } else if (tag == kAclUser || tag == kAclGroupObj || tag == kAclGroup) {
                masked &= permissions;
            }
        }
        least = masked & mask & other & (ownerKept ? 7 : owner);
    }
    return (ownerKept ? owner : writerAccess) << 6 | least << 3 | least;
}

// Root saving a player's file leaves it the player's, so that the player can
// still save it; anyone else can keep only a group they belong to. Either
// way the save goes on, with no more access for anyone than before. The new
// file gets the old one's access ACL where its owner and group are kept
// (another owner or group would read it differently), and none at all
// where the old file had none: not the folder's default ACL, which the new
// file got as it was made.
bool takeOverOwnerAndPermissions(int fd, const Location& at,
                                 const std::optional<std::string>& acl) {
    const struct stat& old = *at.file;
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
        static_cast<void>(::fchown(fd, static_cast<uid_t>(-1), old.st_gid));
    }
    struct stat now {};
    if (::fstat(fd, &now) != 0 ||
        (::fremovexattr(fd, kAccessAcl) != 0 && errno != ENODATA && errno != ENOTSUP)) {
        return false;
    }
    const bool ownerKept = now.st_uid == old.st_uid;
    const bool groupKept = now.st_gid == old.st_gid;
    if (acl && acl->empty()) {
        return ::fchmod(fd, keptPermissions(old.st_mode, ownerKept, groupKept)) == 0;
    }
    if (acl && ownerKept && groupKept &&
        ::fsetxattr(fd, kAccessAcl, acl->data(), acl->size(), 0) == 0) {
        return true;
    }
    return ::fchmod(fd, permissionsWithoutAcl(acl, old.st_mode, ownerKept, accessToOld(at))) == 0;
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

// A file that exists but that this process may not write (the player made it
// read-only) is kept as it is, although a rename only needs the folder's
// permission. The system's own rule decides, except that a file without any
// write bit is kept from root too: root would write it, but the player made
// it read-only for everyone.
void refuseUnlessWritable(const std::filesystem::path& target, const Location& at) {
    if ((at.file->st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        failAt(ErrorCode::PathFileAccess, target, at, reasonOf(EACCES));
    }
    if (::faccessat(at.folder.get(), at.name.c_str(), W_OK, AT_EACCESS) != 0 && errno != ENOENT) {
        const int error = errno;
        failAt(ErrorCode::PathFileAccess, target, at, reasonOf(error));
    }
}

// Flushes the folder's entry for the renamed file, so that after a power cut
// the folder holds the new file and not the old one (or none).
void flushFolder(const Location& at) {
    FileDescriptor folder(::openat(at.folder.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.valid()) {
        ::fsync(folder.get());
    }
}

}  // namespace

void writeFileAtomically(const std::filesystem::path& target, std::string_view bytes) {
    const Location at = locate(target, ErrorCode::PathFileAccess);
    if (at.file) {
        refuseUnlessRegular(target, at, *at.file);
        refuseUnlessWritable(target, at);
    }
    const std::optional<std::string> acl = at.file ? accessAclOf(at) : std::nullopt;
    removeAbandonedTemporaries(at);
    Temporary temporary = createTemporary(target, at);
    const int fd = temporary.file.get();
    if ((at.file && !takeOverOwnerAndPermissions(fd, at, acl)) || !writeAll(fd, bytes) ||
        ::fsync(fd) != 0 ||
        ::renameat(at.folder.get(), temporary.name.c_str(), at.folder.get(), at.name.c_str()) !=
            0) {
        const int error = errno;
        failAt(ErrorCode::PathFileAccess, target, at, reasonOf(error));
    }
    // The file stays locked until it is renamed: unlocked, another writer's
    // clean-up could take it for one that a killed writer left. Closing it
    // afterwards can report nothing that the flush has not.
    temporary.renamed = true;
    // Every failure up to here is reported: the old file is still in place.
    // A failure of the flush is not: after the rename the new content is in
    // place and every reader sees it, so "the save failed" would be untrue
    // and nothing could bring the old file back. The same holds for a folder
    // that cannot be opened to flush (no read permission, only write and
    // search) or a file system that does not flush folders.
    flushFolder(at);
}

}  // namespace tilebash
