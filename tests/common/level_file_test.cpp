// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/level_file.h"

#include <gtest/gtest.h>

#include "common/line_record_file.h"
#include "common/runtime_error.h"
#include "support/temp_dir.h"

namespace tilebash {
namespace {

using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

std::string recordsOf(std::initializer_list<long long> values, int repeat = 1) {
    LineRecordWriter writer;
    for (int r = 0; r < repeat; ++r) {
        for (long long v : values) {
            writer.writeInteger(v);
        }
    }
    return writer.bytes();
}

int errorNumberLoading(const std::string& bytes) {
    TempDir dir;
    writeBytes(dir / "level2.wkl", bytes);
    try {
        readLevelFile(dir / "level2.wkl");
    } catch (const RuntimeError& error) {
        return error.number();
    }
    return 0;
}

TEST(LevelFile, NamesFollowTheLevelNumber) {
    EXPECT_EQ(levelFileName(1), "level1.wkl");
    EXPECT_EQ(levelFileName(5), "level5.wkl");
}

TEST(LevelFile, SavesLeftThenTopOfEachBrickAndLoadsThemBack) {
    TempDir dir;
    Level level;
    for (int i = 0; i < kBrickCount; ++i) {
        level.brickX[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(-1000 + 97 * i);
        level.brickY[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(30000 - 5 * i);
    }
    level.brickX[3] = -32768;
    level.brickY[4] = 32767;
    writeLevelFile(dir / "level4.wkl", level);

    const std::string bytes = readBytes(dir / "level4.wkl");
    EXPECT_EQ(bytes.substr(0, 30), "-1000 \r\n 30000 \r\n-903 \r\n 29995");
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 70);

    EXPECT_EQ(readLevelFile(dir / "level4.wkl"), level);
}

TEST(LevelFile, RecordsAfterTheSeventiethAreIgnored) {
    TempDir dir;
    writeBytes(dir / "level1.wkl", recordsOf({1, 2}, 35) + recordsOf({9, 9, 9}) + "junk\r\n");
    const Level level = readLevelFile(dir / "level1.wkl");
    EXPECT_EQ(level.brickX[34], 1);
    EXPECT_EQ(level.brickY[34], 2);
}

TEST(LevelFile, ShortFilesAndBadRecordsAreErrors) {
    EXPECT_EQ(errorNumberLoading(recordsOf({1, 2}, 34) + recordsOf({1})), 62);
    EXPECT_EQ(errorNumberLoading(""), 62);
    EXPECT_EQ(errorNumberLoading(recordsOf({1, 2}, 10) + "40000\r\n" + recordsOf({1}, 49)), 6);
    EXPECT_EQ(errorNumberLoading(recordsOf({1, 2}, 10) + "left\r\n" + recordsOf({1}, 49)), 13);
}

TEST(LevelFile, AMissingFileIsFileNotFoundNamingIt) {
    TempDir dir;
    testing::WorkingDirectory inside(dir.path());
    try {
        readLevelFile(levelFileName(3));
        FAIL();
    } catch (const RuntimeError& error) {
        EXPECT_STREQ(error.what(), "Run-time error '53': File not found (level3.wkl)");
    }
}

}  // namespace
}  // namespace tilebash
