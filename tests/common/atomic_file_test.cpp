// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/atomic_file.h"
#include "common/read_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "common/runtime_error.h"
#include "support/as_user.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"

// Every folder that this test program flushes, by device and inode: the
// file code calls this fsync in place of the C library's.
namespace {
std::vector<std::pair<dev_t, ino_t>> flushedFolders;
// When set, every lock is refused, as on a file system without locks (NFS
// with no lock service); the file code calls this flock in place of the C
// library's.
bool locksRefused = false;
// When set, no attribute can be set (no room for it on the disk); the file
// code calls this fsetxattr in place of the C library's.
bool attributesRefused = false;
}  // namespace

extern "C" int fsetxattr(int fd, const char* name, const void* value, size_t size, int flags) {
    if (attributesRefused) {
        errno = ENOSPC;
        return -1;
    }
    return static_cast<int>(::syscall(SYS_fsetxattr, fd, name, value, size, flags));
}

extern "C" int flock(int fd, int operation) {
    if (locksRefused) {
        errno = ENOLCK;
        return -1;
    }
    return static_cast<int>(::syscall(SYS_flock, fd, operation));
}

extern "C" int fsync(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        flushedFolders.emplace_back(info.st_dev, info.st_ino);
    }
    return static_cast<int>(::syscall(SYS_fsync, fd));
}

namespace tilebash {
namespace {

using testing::FileSizeLimit;
using testing::inChild;
using testing::isRoot;
using testing::kAttacker;
using testing::kNobody;
using testing::kRoot;
using testing::readBytes;
using testing::TempDir;
using testing::User;
using testing::writeBytes;

std::vector<std::string> namesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

mode_t modeOf(const std::filesystem::path& file) {
    struct stat info {};
    return ::stat(file.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// What `act` raised, as "75 naming <path>: <detail>", or "none".
std::string errorOf(const std::function<void()>& act) {
    try {
        act();
    } catch (const RuntimeError& error) {
        return std::to_string(error.number()) + " naming " + error.subject() + ": " +
               error.detail();
    }
    return "none";
}

std::string writeError(const std::filesystem::path& path) {
    return errorOf([&] { writeFileAtomically(path, "new"); });
}

std::string readError(const std::filesystem::path& path) {
    return errorOf([&] { readWholeFile(path); });
}

// The line on standard error that a read of `path` ends with, or "none".
std::string readErrorLine(const std::filesystem::path& path) {
    try {
        readWholeFile(path);
    } catch (const RuntimeError& error) {
        return diagnosticLine(error);
    }
    return "none";
}

// The access ACL of `file` as getfacl shows it, one entry after the other:
// "user::rw-,group::r--,other::---" for a file that has none.
std::string aclOf(const std::filesystem::path& file) {
    std::string shown(1024, '\0');
    FILE* out = ::popen(("getfacl -cnpE -- '" + file.string() + "' | paste -sd,").c_str(), "r");
    shown.resize(out != nullptr ? std::fread(shown.data(), 1, shown.size(), out) : 0);
    if (out != nullptr) {
        ::pclose(out);
    }
    return shown.substr(0, shown.find_last_not_of(",\n") + 1);  // getfacl ends with a blank line
}

// setfacl with `options` on `path`.
void setAcl(const std::string& options, const std::filesystem::path& path) {
    ASSERT_EQ(std::system(("setfacl " + options + " -- '" + path.string() + "'").c_str()), 0)
        << options;
}

// The name a save of `target` gives its new file, with `letters` (12 of
// 0-9 and a-z) in place of the random ones.
std::string temporaryNameOf(const std::string& target, const std::string& letters) {
    return target + ".tmp-" + letters;
}

TEST(AtomicWrite, ReplacesTheFileAndLeavesNothingBeside) {
    TempDir dir;
    writeBytes(dir / "a.txt", "old content that is longer");
    writeFileAtomically(dir / "a.txt", "new");
    EXPECT_EQ(readBytes(dir / "a.txt"), "new");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

// The replaced file's owner, group and permission bits, and its access ACL,
// as far as the writer may keep them; where it may not, nobody gets more
// than before. A new file gets the usual 0666 less the umask.
TEST(AtomicWrite, KeepsOwnerGroupAndPermissionsButNeverGrantsMore) {
    struct Owner {
        uid_t uid;
        gid_t gid;
        mode_t mode;
    };
    const Owner me{::geteuid(), ::getegid(), 0};
    const struct {
        const char* kind;
        std::optional<Owner> old;    // none: a new file
        std::optional<User> writer;  // none: this process
        mode_t umask;
        Owner expected;
        bool asRoot;  // rows that only root can set up
        // The old file's ACL and the folder's default ACL, as setfacl -m
        // takes them, and the new file's, as aclOf shows it.
        std::string acl = {};
        std::string folderAcl = {};
        std::string expectedAcl = {};
        bool aclRefused = false;  // no ACL can be set on the new file
    } cases[] = {
        {"this user's own file",
         Owner{me.uid, me.gid, 0640},
         {},
         022,
         {me.uid, me.gid, 0640},
         false},
        {"a new file, umask 027", {}, {}, 027, {me.uid, me.gid, 0640}, false},
        {"a new file, umask 0", {}, {}, 0, {me.uid, me.gid, 0666}, false},
        {"root keeps an owner and a group that differ",
         Owner{4321, 8765, 0640},
         kRoot,
         022,
         {4321, 8765, 0640},
         true},
        {"set-user-ID, set-group-ID and sticky bits",
         Owner{4321, 8765, 07755},
         kRoot,
         022,
         {4321, 8765, 0755},
         true},
        // Writable by anyone; the writer keeps neither owner nor group.
        {"another user's file, another group",
         Owner{4321, 8765, 0646},
         kNobody,
         022,
         {65534, 65534, 0644},
         true},
        {"another user's file, the writer's group",
         Owner{4321, 8765, 0664},
         User{65534, 65534, {8765}},
         022,
         {65534, 8765, 0664},
         true},
        {"the writer's file of a group it left",
         Owner{65534, 8765, 0664},
         kNobody,
         022,
         {65534, 65534, 0644},
         true},
        // The mode's group bits are the ACL's mask; a member of the file's
        // group may not read it.
        {"this user's file with an ACL",
         Owner{65534, 65534, 0640},
         kNobody,
         022,
         {65534, 65534, 0640},
         true,
         "u:64999:r,g::-",
         "",
         "user::rw-,user:64999:r--,group::---,mask::r--,other::---"},
        // Nobody may write it through a named entry, the attacker may do
        // nothing although anyone may read it.
        {"another user's file with an ACL",
         Owner{4321, 8765, 0644},
         kNobody,
         022,
         {65534, 65534, 0600},
         true,
         "u:65534:rw,u:64999:-",
         "",
         "user::rw-,group::---,other::---"},
        {"an ACL that cannot be set on the new file",
         Owner{65534, 65534, 0640},
         kNobody,
         022,
         {65534, 65534, 0600},
         true,
         "u:64999:r,g::-",
         "",
         "user::rw-,group::---,other::---",
         true},
        // The new file would get the folder's default ACL, as any new file.
        {"a file without an ACL in a folder with a default ACL",
         Owner{65534, 65534, 0640},
         kNobody,
         022,
         {65534, 65534, 0640},
         true,
         "",
         "d:u:64999:rw",
         "user::rw-,group::r--,other::---"},
    };
    for (const auto& c : cases) {
        if (c.asRoot && !isRoot()) {
            continue;
        }
        TempDir dir;
        ::chmod(dir.path().c_str(), 0777);
        const std::filesystem::path file = dir / "a.txt";
        if (c.old) {
            writeBytes(file, "old");
            ASSERT_EQ(::chown(file.c_str(), c.old->uid, c.old->gid), 0) << c.kind;
            ::chmod(file.c_str(), c.old->mode);
        }
        if (!c.acl.empty()) {
            setAcl("-m " + c.acl, file);
        }
        if (!c.folderAcl.empty()) {
            setAcl("-m " + c.folderAcl, dir.path());
        }
        const std::string said = inChild(c.writer, [&] {
            ::umask(c.umask);
            attributesRefused = c.aclRefused;
            const std::string error = writeError(file);
            return error == "none" ? "" : error;
        });
        EXPECT_EQ(said, "") << c.kind;
        struct stat info {};
        ASSERT_EQ(::stat(file.c_str(), &info), 0) << c.kind;
        EXPECT_EQ(info.st_uid, c.expected.uid) << c.kind;
        EXPECT_EQ(info.st_gid, c.expected.gid) << c.kind;
        EXPECT_EQ(info.st_mode & 07777, c.expected.mode) << c.kind;
        if (!c.expectedAcl.empty()) {
            EXPECT_EQ(aclOf(file), c.expectedAcl) << c.kind;
        }
    }
}

TEST(AtomicWrite, AWriteThatFailsHalfwayLeavesThePreviousFileByteIdentical) {
    TempDir dir;
    const std::string previous = " 600 \r\n 240 \r\n";
    writeBytes(dir / "level1.wkl", previous);
    {
        FileSizeLimit limit(8);
        try {
            writeFileAtomically(dir / "level1.wkl", std::string(100, 'x'));
            ADD_FAILURE() << "no error";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.number(), 75);
            EXPECT_EQ(error.subject(), (dir / "level1.wkl").string());
            EXPECT_EQ(error.detail(), "File too large");
        }
    }
    EXPECT_EQ(readBytes(dir / "level1.wkl"), previous);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

// A save flushes the folder that holds the file it replaced, also where the
// programs name it: by its bare name, in the working folder.
TEST(AtomicWrite, FlushesTheFolderOfTheFileItReplaced) {
    const struct {
        const char* kind;
        std::string path;  // relative to the working folder
        std::string folder;
    } cases[] = {
        {"a bare name", "a.txt", "."},
        {"a path", "store/b.txt", "store"},
        {"a bare name that is a link", "c.txt", "store"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        testing::WorkingDirectory inside(dir.path());
        std::filesystem::create_directory("store");
        std::filesystem::create_symlink("store/real.txt", "c.txt");
        struct stat folder {};
        struct stat other {};
        ASSERT_EQ(::stat(c.folder.c_str(), &folder), 0);
        ASSERT_EQ(::stat(c.folder == "." ? "store" : ".", &other), 0);
        flushedFolders.clear();
        writeFileAtomically(c.path, "new");
        EXPECT_EQ(std::count(flushedFolders.begin(), flushedFolders.end(),
                             std::pair(folder.st_dev, folder.st_ino)),
                  1)
            << c.kind;
        EXPECT_EQ(std::count(flushedFolders.begin(), flushedFolders.end(),
                             std::pair(other.st_dev, other.st_ino)),
                  0)
            << c.kind;
    }
}

TEST(AtomicWrite, AFailedRenameRemovesTheNewFile) {
    TempDir dir;
    std::filesystem::create_directory(dir / "level1.wkl");  // a folder cannot be replaced
    writeBytes(dir / "level1.wkl" / "inside", "kept");
    EXPECT_THROW(writeFileAtomically(dir / "level1.wkl", "bytes"), RuntimeError);
    EXPECT_EQ(readBytes(dir / "level1.wkl" / "inside"), "kept");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

// What a save of a.txt finds beside it with the name of one of its new
// files: only this user's regular file that no live writer holds locked is
// one that a killed save left behind.
TEST(AtomicWrite, RemovesOnlyWhatKilledWritersOfTheSameFileLeftBehind) {
    TempDir dir;
    std::filesystem::create_directory(dir / "elsewhere");
    const auto file = [&dir](const std::string& name) { writeBytes(dir / name, "half"); };
    const struct {
        const char* kind;
        std::string name;
        std::function<void(const std::string&)> make;
        bool removed;
        bool asRoot = false;
    } cases[] = {
        {"left by a killed save", temporaryNameOf("a.txt", "0123456789az"), file, true},
        {"another left by a killed save", temporaryNameOf("a.txt", "zz0000000000"), file, true},
        {"another user's", temporaryNameOf("a.txt", "another0user"),
         [&](const std::string& name) {
             file(name);
             static_cast<void>(::chown((dir / name).c_str(), kAttacker.uid, kAttacker.gid));
         },
         false, true},
        {"a link to one elsewhere", temporaryNameOf("a.txt", "aaaaaaaaaaaa"),
         [&](const std::string& name) {
             writeBytes(dir / "elsewhere" / name, "half");
             std::filesystem::create_symlink("elsewhere/" + name, dir / name);
         },
         false},
        {"a named pipe", temporaryNameOf("a.txt", "bbbbbbbbbbbb"),
         [&](const std::string& name) { ::mkfifo((dir / name).c_str(), 0600); }, false},
        {"a folder", temporaryNameOf("a.txt", "cccccccccccc"),
         [&](const std::string& name) { std::filesystem::create_directory(dir / name); }, false},
        {"another file's", temporaryNameOf("b.txt", "0123456789az"), file, false},
        {"an older kind of name", "a.txt.tmp-12345-0", file, false},
        {"too short a name", temporaryNameOf("a.txt", "01234567890"), file, false},
        {"capital letters", temporaryNameOf("a.txt", "0123456789AZ"), file, false},
        {"the player's own name", "a.txt.tmp-keep", file, false},
    };
    std::vector<std::string> kept = {"a.txt", "elsewhere"};
    for (const auto& c : cases) {
        if (c.asRoot && !isRoot()) {
            continue;
        }
        c.make(c.name);
        if (!c.removed) {
            kept.push_back(c.name);
        }
    }
    // A save of the same file in progress, in another process (or PID
    // namespace) for all a lock can tell.
    const std::string live = temporaryNameOf("a.txt", "live00000000");
    writeBytes(dir / live, "half");
    kept.push_back(live);
    const int writer = ::open((dir / live).c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(writer, LOCK_EX), 0);

    const std::string said = inChild({}, [&] { return writeError(dir / "a.txt"); });
    ::close(writer);
    EXPECT_EQ(said, "none");
    EXPECT_EQ(readBytes(dir / "a.txt"), "new");
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(namesIn(dir.path()), kept);
    EXPECT_EQ(readBytes(dir / "elsewhere" / temporaryNameOf("a.txt", "aaaaaaaaaaaa")), "half");
    EXPECT_EQ(readBytes(dir / live), "half");
}

// Two processes saving the same file over and over never take each
// other's new file for one a killed save left behind: each save succeeds,
// and nothing is left beside the file. The same holds where the file
// system refuses every lock.
TEST(AtomicWrite, WritersOfTheSameFileNeverTakeEachOthersNewFile) {
    for (const bool refused : {false, true}) {
        TempDir dir;
        writeBytes(dir / "a.txt", "old");
        locksRefused = refused;
        const auto startSaving = [&dir] {
            const pid_t child = ::fork();
            if (child == 0) {
                for (int i = 0; i < 200; ++i) {
                    if (writeError(dir / "a.txt") != "none") {
                        ::_exit(1);
                    }
                }
                ::_exit(0);
            }
            return child;
        };
        const pid_t writers[] = {startSaving(), startSaving()};
        locksRefused = false;
        for (const pid_t writer : writers) {
            int status = -1;
            ::waitpid(writer, &status, 0);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
                << "locks refused: " << refused;
        }
        EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"a.txt"}) << refused;
    }
}

// The link stays a link and the file it finally points to gets the new bytes
// and keeps its permissions; the new file is made beside that file, where a
// dead writer's leftovers are cleaned up.
TEST(AtomicWrite, WritesThroughSymbolicLinksToTheirFinalTarget) {
    const struct {
        const char* kind;
        std::vector<std::pair<std::string, std::string>> links;  // name, points to
        std::string final;
        bool exists;
    } cases[] = {
        {"relative", {{"a.txt", "store/real.txt"}}, "store/real.txt", true},
        {"absolute", {{"a.txt", "DIR/store/real.txt"}}, "store/real.txt", true},
        // the second link's target is relative to its own folder
        {"chain",
         {{"a.txt", "store/b.txt"}, {"store/b.txt", "../data/real.txt"}},
         "data/real.txt",
         true},
        {"dangling", {{"a.txt", "store/new.txt"}}, "store/new.txt", false},
    };
    for (const auto& c : cases) {
        TempDir dir;
        std::filesystem::create_directory(dir / "store");
        std::filesystem::create_directory(dir / "data");
        const std::filesystem::path final = dir / c.final;
        if (c.exists) {
            writeBytes(final, "old");
            ::chmod(final.c_str(), 0640);
        }
        const std::string leftover = temporaryNameOf(final.filename().string(), "left0behind0");
        writeBytes(final.parent_path() / leftover, "half");
        std::vector<std::pair<std::string, std::string>> links = c.links;
        for (auto& [name, to] : links) {
            if (to.starts_with("DIR")) {
                to.replace(0, 3, dir.path().string());
            }
            std::filesystem::create_symlink(to, dir / name);
        }

        writeFileAtomically(dir / "a.txt", "new");
        EXPECT_EQ(readBytes(final), "new") << c.kind;
        for (const auto& [name, to] : links) {
            ASSERT_TRUE(std::filesystem::is_symlink(dir / name)) << c.kind << ": " << name;
            EXPECT_EQ(std::filesystem::read_symlink(dir / name), to) << c.kind << ": " << name;
        }
        if (c.exists) {
            EXPECT_EQ(modeOf(final), 0640u) << c.kind;
        }
        EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(final)))
            << c.kind;
        EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"a.txt", "data", "store"}))
            << c.kind;
        EXPECT_EQ(namesIn(dir / "data").size() + namesIn(dir / "store").size(), c.links.size())
            << c.kind << ": only the target and the links";
    }
}

// Nothing is written, the error names the file as the caller knows it, and
// its detail says where the links led.
TEST(AtomicWrite, ALinkLoopOrALinkIntoAMissingFolderIsAnAccessError) {
    const struct {
        const char* kind;
        std::vector<std::pair<std::string, std::string>> links;
        std::string detail;  // after the folder
    } cases[] = {
        {"to itself", {{"a.txt", "a.txt"}}, "a.txt: Too many levels of symbolic links"},
        {"loop of two",
         {{"a.txt", "b.txt"}, {"b.txt", "a.txt"}},
         "a.txt: Too many levels of symbolic links"},
        {"into a missing folder",
         {{"a.txt", "nowhere/a.txt"}},
         "nowhere/a.txt: No such file or directory"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        for (const auto& [name, to] : c.links) {
            std::filesystem::create_symlink(to, dir / name);
        }
        const std::vector<std::string> before = namesIn(dir.path());
        EXPECT_EQ(writeError(dir / "a.txt"),
                  "75 naming " + (dir / "a.txt").string() + ": " + (dir / c.detail).string())
            << c.kind;
        EXPECT_EQ(namesIn(dir.path()), before) << c.kind;
        EXPECT_TRUE(std::filesystem::is_symlink(dir / "a.txt")) << c.kind;
    }
}

// Runs `check` as a user whom file permissions bind: here, or, when this
// process is root, in a child process that has become the user "nobody".
// `folder` is handed to that user first. Returns what `check` returns (empty
// when it found nothing wrong).
std::string runBoundByPermissions(const std::filesystem::path& folder,
                                  const std::function<std::string()>& check) {
    if (!isRoot()) {
        return check();
    }
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        static_cast<void>(::lchown(entry.path().c_str(), kNobody.uid, kNobody.gid));
    }
    static_cast<void>(::chown(folder.c_str(), kNobody.uid, kNobody.gid));
    return inChild(kNobody, check);
}

// A file the user may not write (made read-only to keep it) is not replaced,
// although a rename would only need the folder's permission: the write is
// refused as the file's own write would be.
TEST(AtomicWrite, AWriteProtectedFileIsKeptWhoeverSavesIt) {
    TempDir dir;
    writeBytes(dir / "frozen.txt", "kept as it is");
    ::chmod((dir / "frozen.txt").c_str(), 0444);
    std::filesystem::create_symlink("frozen.txt", dir / "link.txt");
    writeBytes(dir / "open.txt", "old");
    std::filesystem::create_directory(dir / "unlisted");
    writeBytes(dir / "unlisted" / "open.txt", "old");

    auto check = [&dir]() -> std::string {
        // Write and search permission is all a save needs: the folder need
        // not be readable, and its flush is not a condition of success.
        ::chmod((dir / "unlisted").c_str(), 0300);
        for (const char* name : {"frozen.txt", "link.txt"}) {
            try {
                writeFileAtomically(dir / name, "new");
                return std::string(name) + ": written";
            } catch (const RuntimeError& error) {
                if (error.number() != 75 || error.subject() != (dir / name).string()) {
                    return std::string(name) + ": error " + std::to_string(error.number()) +
                           " naming " + error.subject();
                }
            }
        }
        if (readBytes(dir / "frozen.txt") != "kept as it is" ||
            modeOf(dir / "frozen.txt") != 0444 ||
            namesIn(dir.path()) !=
                std::vector<std::string>{"frozen.txt", "link.txt", "open.txt", "unlisted"}) {
            return "the protected file or its folder changed";
        }
        std::string refused;
        try {
            writeFileAtomically(dir / "open.txt", "new");
            writeFileAtomically(dir / "unlisted" / "open.txt", "new");
        } catch (const RuntimeError& error) {
            refused = "a writable file was refused: " + error.subject();
        }
        ::chmod((dir / "unlisted").c_str(), 0700);
        if (!refused.empty()) {
            return refused;
        }
        return readBytes(dir / "open.txt") == "new" &&
                       readBytes(dir / "unlisted" / "open.txt") == "new"
                   ? ""
                   : "a writable file was not written";
    };
    EXPECT_EQ(runBoundByPermissions(dir.path(), check), "");

    // Without any write bit the file is kept from root as well, whom the
    // bits do not bind otherwise.
    if (isRoot()) {
        EXPECT_EQ(writeError(dir / "frozen.txt"),
                  "75 naming " + (dir / "frozen.txt").string() + ": Permission denied");
        EXPECT_EQ(writeError(dir / "link.txt"), "75 naming " + (dir / "link.txt").string() + ": " +
                                                    (dir / "frozen.txt").string() +
                                                    ": Permission denied");
        EXPECT_EQ(readBytes(dir / "frozen.txt"), "kept as it is");
        EXPECT_EQ(modeOf(dir / "frozen.txt"), 0444u);
        EXPECT_EQ(namesIn(dir.path()),
                  (std::vector<std::string>{"frozen.txt", "link.txt", "open.txt", "unlisted"}));
    }
}

// A folder that every user may write, sticky as /tmp is and root's as /tmp
// is ("shared"), beside a private folder of the player's ("home", holding
// the file "home/file") and a folder of the attacker's own ("theirs").
// Others that more than their owner may write: root's, by anyone but not
// sticky ("open") and by the attacker's group ("group"), and the
// attacker's, sticky ("their-shared").
struct SharedFolders {
    explicit SharedFolders(const User& player) {
        ::chmod(dir.path().c_str(), 0755);
        std::filesystem::create_directory(dir / "shared");
        ::chmod((dir / "shared").c_str(), 01777);
        const User rootOfTheirGroup{0, kAttacker.gid};
        for (const auto& [name, owner, mode] :
             {std::tuple("home", player, 0700), std::tuple("theirs", kAttacker, 0755),
              std::tuple("open", kRoot, 0777), std::tuple("group", rootOfTheirGroup, 0775),
              std::tuple("their-shared", kAttacker, 01777)}) {
            std::filesystem::create_directory(dir / name);
            static_cast<void>(::chown((dir / name).c_str(), owner.uid, owner.gid));
            ::chmod((dir / name).c_str(), static_cast<mode_t>(mode));
        }
        writeBytes(dir / "home" / "file", "kept");
        static_cast<void>(::chown((dir / "home" / "file").c_str(), player.uid, player.gid));
        ::chmod((dir / "home" / "file").c_str(), 0600);
    }
    TempDir dir;
};

std::string makeLink(const User& maker, const std::filesystem::path& at, const std::string& to) {
    return inChild(maker, [&] {
        return ::symlink(to.c_str(), at.c_str()) == 0 ? "" : "could not make " + at.string();
    });
}

// In a folder that more than its owner may write, sticky or not, a link is
// followed only when the player or root owns it, so that another user's
// link cannot send a save or a read to a file of their choice. In a folder
// only its owner may write, links are followed as always.
TEST(SharedFolder, AnotherUsersLinkIsNeverFollowedThere) {
    if (!isRoot()) {
        GTEST_SKIP() << "needs root, to act as two other users";
    }
    struct Link {
        const User* maker;  // null: the player
        std::string at;
        std::string to;
    };
    const struct {
        const char* kind;
        std::string path;
        std::vector<Link> links;
        bool followed;
        std::string shownTarget = {};  // the first link's target on standard error
    } cases[] = {
        {"another user's link to the player's file",
         "shared/options.wkp",
         {{&kAttacker, "shared/options.wkp", "../home/file"}},
         false},
        {"another user's link to a file not there yet",
         "shared/options.wkp",
         {{&kAttacker, "shared/options.wkp", "../home/new"}},
         false},
        {"the player's own link",
         "shared/options.wkp",
         {{nullptr, "shared/options.wkp", "../home/file"}},
         true},
        {"root's link",
         "shared/options.wkp",
         {{&kRoot, "shared/options.wkp", "../home/file"}},
         true},
        {"the player's link to another user's link",
         "shared/level3.wkl",
         {{&kAttacker, "shared/theirs", "../home/file"}, {nullptr, "shared/level3.wkl", "theirs"}},
         false},
        {"another user's link to the player's link",
         "shared/level3.wkl",
         {{nullptr, "shared/mine", "../home/file"}, {&kAttacker, "shared/level3.wkl", "mine"}},
         false},
        // Control characters (C0, DEL, C1), bytes that are no UTF-8
        // character (a lone byte, an overlong, a surrogate, a cut sequence)
        // each become one "?"; printable characters stay.
        {"another user's link that would act on a terminal",
         "shared/options.wkp",
         {{&kAttacker, "shared/options.wkp",
           "../\x1b[2J\x1b]0;title\x07\xc2\x9b"
           "31m\x7f\n\xff\xc0\xaf\xed\xa0\x80\xe2\x82\xc3\xa9\xe2\x82\xac"}},
         false,
         "../?[2J?]0;title??31m??????\xc3\xa9\xe2\x82\xac"},
        {"another user's link in a folder anyone may write, not sticky",
         "open/options.wkp",
         {{&kAttacker, "open/options.wkp", "../home/file"}},
         false},
        {"another user's link in a folder their group may write",
         "group/options.wkp",
         {{&kAttacker, "group/options.wkp", "../home/file"}},
         false},
        {"the folder owner's link in a shared folder of theirs",
         "their-shared/options.wkp",
         {{&kAttacker, "their-shared/options.wkp", "../home/file"}},
         false},
        {"another user's link in a folder of their own",
         "theirs/options.wkp",
         {{&kAttacker, "theirs/options.wkp", "../home/file"}},
         true},
    };
    for (const User& player : {kNobody, kRoot}) {
        for (const auto& c : cases) {
            const std::string kind = c.kind + std::string(player.uid == 0 ? ", root" : "");
            SharedFolders folders(player);
            const TempDir& dir = folders.dir;
            for (const Link& link : c.links) {
                ASSERT_EQ(makeLink(link.maker ? *link.maker : player, dir / link.at, link.to), "")
                    << kind;
            }
            const std::filesystem::path path = dir / c.path;
            const std::string said = inChild(player, [&]() -> std::string {
                const std::string read = readError(path);
                const std::string written = writeError(path);
                const std::string refused = "75 naming " + path.string() + ": ";
                if (c.followed) {
                    return read == "none" && written == "none" ? "" : read + " / " + written;
                }
                const std::string line = "Run-time error '75': Path/File access error (" +
                                         path.string() + "): " + (dir / c.path).string() + " -> " +
                                         c.shownTarget + ": Permission denied";
                if (!c.shownTarget.empty() && readErrorLine(path) != line) {
                    return readErrorLine(path);
                }
                return read.starts_with(refused) && read.ends_with(": Permission denied") &&
                               written == read
                           ? ""
                           : read + " / " + written;
            });
            EXPECT_EQ(said, "") << kind;
            EXPECT_EQ(readBytes(dir / "home" / "file"), c.followed ? "new" : "kept") << kind;
            EXPECT_FALSE(std::filesystem::exists(dir / "home" / "new")) << kind;
            for (const Link& link : c.links) {
                EXPECT_EQ(std::filesystem::read_symlink(dir / link.at), link.to) << kind;
            }
        }
    }
}

// A save's new file has a name nobody can guess: one planted beforehand, as
// a file or a link, under a name like it neither blocks the save nor sends
// it elsewhere, and stays as it is.
TEST(SharedFolder, PlantedTemporaryNamesNeitherBlockNorRedirectASave) {
    if (!isRoot()) {
        GTEST_SKIP() << "needs root, to act as two other users";
    }
    for (const User& player : {kNobody, kRoot}) {
        SharedFolders folders(player);
        const TempDir& dir = folders.dir;
        const std::filesystem::path file = dir / "shared" / "options.wkp";
        writeBytes(file, "old");
        static_cast<void>(::chown(file.c_str(), player.uid, player.gid));
        std::vector<std::string> planted;
        // Names that a save by process `pid` might use, as files and links.
        const auto plant = [&](pid_t pid) {
            std::vector<std::string> names = {temporaryNameOf("options.wkp", "000000000000"),
                                              temporaryNameOf("options.wkp", "zzzzzzzzzzzz")};
            for (int n = 0; n < 32; ++n) {
                names.push_back("options.wkp.tmp-" + std::to_string(pid) + "-" + std::to_string(n));
            }
            const std::string made = inChild(kAttacker, [&]() -> std::string {
                for (std::size_t i = 0; i < names.size(); ++i) {
                    const std::filesystem::path at = dir / "shared" / names[i];
                    if (i % 2 == 0) {
                        writeBytes(at, "planted");
                    } else if (::symlink("../home/file", at.c_str()) != 0) {
                        return "no link";
                    }
                }
                return "";
            });
            ASSERT_EQ(made, "");
            planted = names;
        };
        const std::string said = inChild(
            player, [&] { return writeError(file); }, plant);
        EXPECT_EQ(said, "none") << player.uid;
        EXPECT_EQ(readBytes(file), "new") << player.uid;
        EXPECT_EQ(readBytes(dir / "home" / "file"), "kept") << player.uid;
        planted.push_back("options.wkp");
        std::sort(planted.begin(), planted.end());
        EXPECT_EQ(namesIn(dir / "shared"), planted) << player.uid;
    }
}

// Only a regular file is read or replaced. A named pipe would hang a read
// for ever, and a save through a link to a device would replace the device:
// each is refused at once (the check runs in a process that is stopped if
// it hangs), and nothing is changed.
TEST(ReadWholeFile, AnythingButARegularFileIsRefusedAtOnceDirectlyOrThroughALink) {
    enum class Kind { NamedPipe, Folder, Device, RootFolder };
    const struct {
        const char* kind;
        Kind make;
        bool throughLink;
        const char* reason;
    } cases[] = {
        {"a named pipe", Kind::NamedPipe, false, "Not a regular file"},
        {"a named pipe behind a link", Kind::NamedPipe, true, "Not a regular file"},
        {"a folder", Kind::Folder, false, "Is a directory"},
        {"a folder behind a link", Kind::Folder, true, "Is a directory"},
        {"the root folder behind a link", Kind::RootFolder, true, "Is a directory"},
        {"a device", Kind::Device, false, "Not a regular file"},
        {"a device behind a link", Kind::Device, true, "Not a regular file"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        std::filesystem::create_directory(dir / "store");
        const std::filesystem::path path = dir / "options.wkp";
        std::filesystem::path real = c.throughLink ? dir / "store" / "options.wkp" : path;
        if (c.make == Kind::RootFolder) {
            real = "/";
        } else if (c.make == Kind::Device && !isRoot()) {
            // Only root can make a device: the system's own null device,
            // which a process bound by permissions cannot replace anyway.
            if (!c.throughLink) {
                continue;
            }
            real = "/dev/null";
        } else if (c.make == Kind::Device) {
            // A device of the test's own (a null device), so that no device
            // of the system is at stake.
            ASSERT_EQ(::mknod(real.c_str(), S_IFCHR | 0666, ::makedev(1, 3)), 0);
        } else if (c.make == Kind::NamedPipe) {
            ASSERT_EQ(::mkfifo(real.c_str(), 0666), 0);
        } else {
            std::filesystem::create_directory(real);
        }
        if (c.throughLink) {
            std::filesystem::create_symlink(real, path);
        }
        const auto before = std::filesystem::symlink_status(real).type();
        const std::string expected =
            "75 naming " + path.string() + ": " +
            (c.throughLink ? real.string() + ": " + c.reason : std::string(c.reason));
        const std::string said = inChild({}, [&]() -> std::string {
            const std::string read = readError(path);
            const std::string written = writeError(path);
            return read == expected && written == expected ? "" : read + " / " + written;
        });
        EXPECT_EQ(said, "") << c.kind;
        EXPECT_EQ(std::filesystem::symlink_status(real).type(), before) << c.kind;
        EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"options.wkp", "store"}))
            << c.kind;
        EXPECT_EQ(namesIn(dir / "store").size(), real.parent_path() == dir / "store" ? 1u : 0u)
            << c.kind;
    }
}

TEST(ReadWholeFile, TellsAMissingFileFromOneThatCannotBeReadWhole) {
    TempDir dir;
    std::filesystem::create_symlink("store/level3.wkl", dir / "linked.wkl");
    // A file is read whole or not at all: one over the limit is refused, also
    // where only its last record lies beyond it.
    const std::string limit(1 << 20, ' ');
    writeBytes(dir / "full.wkp", limit);
    EXPECT_EQ(readWholeFile(dir / "full.wkp"), limit);
    writeBytes(dir / "over.wkp", limit.substr(3) + " 150 \r\n");
    std::filesystem::create_symlink("over.wkp", dir / "options.wkp");
    const std::string tooLarge = "File too large (1048580 bytes, the limit is 1048576)";
    EXPECT_EQ(readError(dir / "over.wkp"),
              "75 naming " + (dir / "over.wkp").string() + ": " + tooLarge);
    EXPECT_EQ(readError(dir / "options.wkp"), "75 naming " + (dir / "options.wkp").string() + ": " +
                                                  (dir / "over.wkp").string() + ": " + tooLarge);
    EXPECT_EQ(readError(dir / "level3.wkl"),
              "53 naming " + (dir / "level3.wkl").string() + ": No such file or directory");
    EXPECT_EQ(readError(dir / "linked.wkl"), "53 naming " + (dir / "linked.wkl").string() + ": " +
                                                 (dir / "store/level3.wkl").string() +
                                                 ": No such file or directory");
    if (!isRoot()) {
        writeBytes(dir / "secret.wkl", "x");
        ::chmod((dir / "secret.wkl").c_str(), 0);
        EXPECT_EQ(readError(dir / "secret.wkl"),
                  "75 naming " + (dir / "secret.wkl").string() + ": Permission denied");
    }
}

}  // namespace
}  // namespace tilebash
