// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

// A save killed at any moment leaves the file (or the target of the link it
// is) with either its old or its new content, never a mix or a cut, and its
// temporary files do not pile up: a killed save leaves at most its own, and
// the next save of that file removes it.
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace tilebash {
namespace {

using testing::readBytes;
using testing::TempDir;

// A running save_loop whose standard output comes back through a pipe.
class SaveLoop {
  public:
    SaveLoop(const std::string& kind, const std::filesystem::path& dir, long count = -1) {
        int fds[2];
        if (::pipe(fds) != 0) {
            throw std::runtime_error("pipe");
        }
        const std::string folder = dir.string();
        const std::string limit = std::to_string(count);
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(fds[1], STDOUT_FILENO);
            ::close(fds[0]);
            ::close(fds[1]);
            ::execl(SAVE_LOOP_PATH, SAVE_LOOP_PATH, kind.c_str(), folder.c_str(), limit.c_str(),
                    static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(fds[1]);
        out_ = fds[0];
    }
    SaveLoop(const SaveLoop&) = delete;
    SaveLoop& operator=(const SaveLoop&) = delete;
    ~SaveLoop() {
        if (pid_ > 0) {
            kill();
        }
        ::close(out_);
    }

    // Whether the first save is done, waiting at most five seconds.
    bool waitReady() const {
        pollfd ready{out_, POLLIN, 0};
        char byte = 0;
        return ::poll(&ready, 1, 5000) == 1 && ::read(out_, &byte, 1) == 1;
    }
    void kill() {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
    int wait() {
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

  private:
    pid_t pid_ = -1;
    int out_ = -1;
};

// The bytes one uninterrupted loop of `count` saves leaves behind.
std::string contentAfter(const std::string& kind, const std::string& file, long count) {
    TempDir dir;
    SaveLoop loop(kind, dir.path(), count);
    EXPECT_EQ(loop.wait(), 0);
    return readBytes(dir / file);
}

std::vector<std::string> otherFiles(const std::filesystem::path& folder, const std::string& file) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().filename() != file) {
            names.push_back(entry.path().filename().string());
        }
    }
    return names;
}

// With `throughLink` the file is a symbolic link into a folder beside it,
// and its target is what is saved, and where temporary files are made.
void killWhileSaving(const std::string& kind, const std::string& file, bool throughLink = false) {
    const std::string first = contentAfter(kind, file, 1);
    const std::string second = contentAfter(kind, file, 2);
    ASSERT_NE(first, second);

    TempDir dir;
    const std::filesystem::path home = throughLink ? dir / "store" : dir.path();
    if (throughLink) {
        std::filesystem::create_directory(home);
        std::filesystem::create_symlink("store/" + file, dir / file);  // dangling until saved
    }
    SaveLoop(kind, dir.path(), 1).wait();
    std::mt19937 random(7);
    // One save takes a few milliseconds, most of them flushing to disk.
    std::uniform_int_distribution<int> micros(0, 20000);
    int firstSeen = 0;
    int secondSeen = 0;
    int midSave = 0;
    // A process killed before its first save finished may leave a temporary
    // file that no later save has had the chance to remove yet.
    std::size_t mayLeave = 0;
    constexpr int kKills = 300;
    for (int kill = 0; kill < kKills; ++kill) {
        SaveLoop loop(kind, dir.path());
        const bool early = kill % 8 == 7;
        if (early) {
            ::usleep(static_cast<useconds_t>(micros(random)));
            ++mayLeave;
        } else {
            ASSERT_TRUE(loop.waitReady()) << "kill " << kill;
            mayLeave = 1;
            // Readers meanwhile see only whole files too.
            const auto until =
                std::chrono::steady_clock::now() + std::chrono::microseconds(micros(random));
            while (std::chrono::steady_clock::now() < until) {
                const std::string seen = readBytes(dir / file);
                ASSERT_TRUE(seen == first || seen == second) << "read during kill " << kill;
            }
        }
        loop.kill();

        const std::string left = readBytes(dir / file);
        ASSERT_TRUE(left == first || left == second)
            << "after kill " << kill << ", " << left.size() << " bytes";
        (left == first ? firstSeen : secondSeen)++;
        const std::vector<std::string> others = otherFiles(home, file);
        midSave += others.empty() ? 0 : 1;
        ASSERT_LE(others.size(), mayLeave) << "after kill " << kill << ": " << others.front();
    }
    // Killed after a save of either content, and in the middle of saves.
    EXPECT_GT(firstSeen, kKills / 10);
    EXPECT_GT(secondSeen, kKills / 10);
    EXPECT_GT(midSave, 0);
    std::cout << kKills << " kills: " << firstSeen << " left the first content, " << secondSeen
              << " the second; " << midSave << " left a temporary file behind\n";

    // One save that runs to its end cleans up after all of them.
    EXPECT_EQ(SaveLoop(kind, dir.path(), 1).wait(), 0);
    EXPECT_EQ(readBytes(home / file), first);
    EXPECT_TRUE(otherFiles(home, file).empty());
    if (throughLink) {
        EXPECT_TRUE(std::filesystem::is_symlink(dir / file));
        EXPECT_EQ(otherFiles(dir.path(), file), std::vector<std::string>{"store"});
    }
}

TEST(InterruptedSave, OptionsFileIsAlwaysTheOldOrTheNewOne) {
    killWhileSaving("options", "options.wkp");
}

TEST(InterruptedSave, LevelFileIsAlwaysTheOldOrTheNewOne) {
    killWhileSaving("level", "level3.wkl");
}

TEST(InterruptedSave, TheTargetOfALinkedOptionsFileIsAlwaysTheOldOrTheNewOne) {
    killWhileSaving("options", "options.wkp", true);
}

}  // namespace
}  // namespace tilebash
