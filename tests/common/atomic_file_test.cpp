// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/atomic_file.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>

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
