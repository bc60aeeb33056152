// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/atomic_file.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

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
