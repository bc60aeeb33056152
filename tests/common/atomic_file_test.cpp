// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/atomic_file.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>

#include "common/runtime_error.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"

namespace tilebash {
namespace {

using testing::FileSizeLimit;
using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

TEST(AtomicWrite, ReplacesTheFileAndLeavesNothingBeside) {
    TempDir dir;
    writeBytes(dir / "a.txt", "old content that is longer");
    writeFileAtomically(dir / "a.txt", "new");
    EXPECT_EQ(readBytes(dir / "a.txt"), "new");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(AtomicWrite, KeepsThePermissionsOfTheReplacedFile) {
    TempDir dir;
    writeBytes(dir / "a.txt", "x");
    ::chmod((dir / "a.txt").c_str(), 0640);
    writeFileAtomically(dir / "a.txt", "y");
    struct stat info {};
    ASSERT_EQ(::stat((dir / "a.txt").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
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
        }
    }
    EXPECT_EQ(readBytes(dir / "level1.wkl"), previous);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(AtomicWrite, AFailedRenameRemovesTheNewFile) {
    TempDir dir;
    std::filesystem::create_directory(dir / "level1.wkl");  // a folder cannot be replaced
    writeBytes(dir / "level1.wkl" / "inside", "kept");
    EXPECT_THROW(writeFileAtomically(dir / "level1.wkl", "bytes"), RuntimeError);
    EXPECT_EQ(readBytes(dir / "level1.wkl" / "inside"), "kept");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

// The id of a process that has ended.
pid_t endedProcess() {
    pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    ::waitpid(child, nullptr, 0);
    return child;
}

TEST(AtomicWrite, RemovesWhatKilledWritersOfTheSameFileLeftBehind) {
    TempDir dir;
    const std::string dead = std::to_string(endedProcess());
    const std::string self = std::to_string(::getpid());
    const std::string alive = std::to_string(::getppid());
    for (const std::string& name :
         {"a.txt.tmp-" + dead + "-0", "a.txt.tmp-" + dead + "-17", "a.txt.tmp-" + self + "-0"}) {
        writeBytes(dir / name, "half");
    }
    const std::vector<std::string> kept = {"a.txt.tmp-" + alive + "-0",  // still writing
                                           "b.txt.tmp-" + dead + "-0",   // another file's
                                           "a.txt.tmp-" + dead, "a.txt.tmp-x-1", "a.txt.tmp-1-2-3"};
    for (const std::string& name : kept) {
        writeBytes(dir / name, "kept");
    }
    writeFileAtomically(dir / "a.txt", "new");
    EXPECT_EQ(readBytes(dir / "a.txt"), "new");
    for (const std::string& name : kept) {
        EXPECT_EQ(readBytes(dir / name), "kept") << name;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 6);
}

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
    const std::string dead = std::to_string(endedProcess());
    for (const auto& c : cases) {
        TempDir dir;
        std::filesystem::create_directory(dir / "store");
        std::filesystem::create_directory(dir / "data");
        const std::filesystem::path final = dir / c.final;
        if (c.exists) {
            writeBytes(final, "old");
            ::chmod(final.c_str(), 0640);
        }
        const std::string leftover = final.filename().string() + ".tmp-" + dead + "-0";
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

// Nothing is written, the error names the file as the caller knows it.
TEST(AtomicWrite, ALinkLoopOrALinkIntoAMissingFolderIsAnAccessError) {
    const struct {
        const char* kind;
        std::vector<std::pair<std::string, std::string>> links;
    } cases[] = {
        {"to itself", {{"a.txt", "a.txt"}}},
        {"loop of two", {{"a.txt", "b.txt"}, {"b.txt", "a.txt"}}},
        {"into a missing folder", {{"a.txt", "nowhere/a.txt"}}},
    };
    for (const auto& c : cases) {
        TempDir dir;
        for (const auto& [name, to] : c.links) {
            std::filesystem::create_symlink(to, dir / name);
        }
        const std::vector<std::string> before = namesIn(dir.path());
        try {
            writeFileAtomically(dir / "a.txt", "new");
            ADD_FAILURE() << c.kind << ": no error";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.number(), 75) << c.kind;
            EXPECT_EQ(error.subject(), (dir / "a.txt").string()) << c.kind;
        }
        EXPECT_EQ(namesIn(dir.path()), before) << c.kind;
        EXPECT_TRUE(std::filesystem::is_symlink(dir / "a.txt")) << c.kind;
    }
}

// Runs `check` as a user whom file permissions bind: here, or, when this
// process is root, in a child process that has become the user "nobody".
// `folder` is handed to that user first. Returns what `check` returns (empty
// when it found nothing wrong), or nothing when the child cannot become that
// user, with the reason in `whyNot`.
std::optional<std::string> runBoundByPermissions(const std::filesystem::path& folder,
                                                 const std::function<std::string()>& check,
                                                 std::string& whyNot) {
    if (::geteuid() != 0) {
        return check();
    }
    const passwd* nobody = ::getpwnam("nobody");
    const uid_t user = nobody != nullptr ? nobody->pw_uid : 65534;
    const gid_t group = nobody != nullptr ? nobody->pw_gid : 65534;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        static_cast<void>(::lchown(entry.path().c_str(), user, group));
    }
    static_cast<void>(::chown(folder.c_str(), user, group));
    int fds[2];
    if (::pipe(fds) != 0) {
        whyNot = "no pipe";
        return std::nullopt;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(fds[0]);
        const bool dropped =
            ::setgroups(0, nullptr) == 0 && ::setgid(group) == 0 && ::setuid(user) == 0;
        const std::string said =
            dropped ? check() : "setgid/setuid to " + std::to_string(user) + " failed";
        const ssize_t ignored = ::write(fds[1], said.data(), said.size());
        static_cast<void>(ignored);
        ::_exit(dropped ? 0 : 3);
    }
    ::close(fds[1]);
    std::string said;
    char buffer[512];
    for (ssize_t got; (got = ::read(fds[0], buffer, sizeof buffer)) > 0;) {
        said.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 3) {
        whyNot = said;
        return std::nullopt;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return "the checking process ended abnormally";
    }
    return said;
}

// A file the user may not write (made read-only to keep it) is not replaced,
// although a rename would only need the folder's permission: the write is
// refused as the file's own write would be. Root, whom the bits do not bind,
// still writes it, and it stays read-only and its owner's.
TEST(AtomicWrite, AWriteProtectedFileIsRefusedToThoseItProtectsAgainst) {
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
    std::string whyNot;
    const std::optional<std::string> found = runBoundByPermissions(dir.path(), check, whyNot);
    if (!found) {
        GTEST_SKIP() << "cannot run as a user whom file permissions bind: " << whyNot;
    }
    EXPECT_EQ(*found, "");

    if (::geteuid() == 0) {
        struct stat before {};
        ::stat((dir / "frozen.txt").c_str(), &before);
        writeFileAtomically(dir / "link.txt", "root's");
        struct stat after {};
        ::stat((dir / "frozen.txt").c_str(), &after);
        EXPECT_EQ(readBytes(dir / "frozen.txt"), "root's");
        EXPECT_EQ(after.st_mode & 07777, 0444u);
        EXPECT_EQ(after.st_uid, before.st_uid);
        EXPECT_EQ(after.st_gid, before.st_gid);
        EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.txt"));
    }
}

TEST(ReadWholeFile, TellsAMissingFileFromOneThatCannotBeRead) {
    TempDir dir;
    try {
        readWholeFile(dir / "level3.wkl");
        FAIL();
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), 53);
    }
    try {
        readWholeFile(dir.path());  // a folder
        FAIL();
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), 75);
    }
}

}  // namespace
}  // namespace tilebash
