// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

// The files shipped in data/ are what a new player starts with: they must load
// and every level must be playable.
#include <gtest/gtest.h>

#include <set>

#include "common/level_file.h"
#include "common/line_record_file.h"
#include "playfield/bricks.h"

namespace tilebash {
namespace {

const std::filesystem::path kData = TILEBASH_DATA_DIR;
constexpr int kFieldWidth = 7120;
constexpr int kFieldHeight = 6075;
constexpr int kPaddleReach = 4000;  // bricks stay well above the paddle

struct Layout {
    BrickCoordinates x{}, y{};
    friend bool operator==(const Layout&, const Layout&) = default;
};

Layout shippedLevel(std::uint8_t level) {
    const Level read = readLevelFile(kData / levelFileName(level));
    return {read.brickX, read.brickY};
}

bool overlap(const Layout& l, std::size_t a, std::size_t b) {
    return l.x[a] < l.x[b] + kBrickWidth && l.x[b] < l.x[a] + kBrickWidth &&
           l.y[a] < l.y[b] + kBrickHeight && l.y[b] < l.y[a] + kBrickHeight;
}

TEST(ShippedLevels, LevelOneIsTheSevenBySevenGrid) {
    Layout one = shippedLevel(1);
    for (std::size_t i = 0; i < kBrickCount; ++i) {
        EXPECT_EQ(one.x[i], 600 + 840 * static_cast<int>(i % 7)) << i;
        EXPECT_EQ(one.y[i], 240 + 240 * static_cast<int>(i / 7)) << i;
    }
}

TEST(ShippedLevels, EveryBrickIsInsideAboveThePaddleAndAloneAndTheLevelsDiffer) {
    std::vector<Layout> levels;
    for (std::uint8_t level = 1; level <= kLevelCount; ++level) {
        Layout l = shippedLevel(level);
        for (std::size_t i = 0; i < kBrickCount; ++i) {
            EXPECT_GE(l.x[i], 0) << "level " << int{level} << " brick " << i;
            EXPECT_GE(l.y[i], 0) << "level " << int{level} << " brick " << i;
            EXPECT_LE(l.x[i] + kBrickWidth, kFieldWidth)
                << "level " << int{level} << " brick " << i;
            EXPECT_LE(l.y[i] + kBrickHeight, std::min(kFieldHeight, kPaddleReach))
                << "level " << int{level} << " brick " << i;
            for (std::size_t j = i + 1; j < kBrickCount; ++j) {
                EXPECT_FALSE(overlap(l, i, j))
                    << "level " << int{level} << " bricks " << i << ", " << j;
            }
        }
        for (const Layout& earlier : levels) {
            EXPECT_FALSE(l == earlier) << "level " << int{level} << " repeats an earlier level";
        }
        levels.push_back(l);
    }
}

TEST(ShippedOptions, HoldTenFallingScoresDistinctColoursAndMediumDifficulty) {
    LineRecordReader reader(kData / "options.wkp");
    int previous = 1 << 30;
    for (int row = 0; row < 10; ++row) {
        int score = reader.readInt32();
        EXPECT_LT(score, previous) << "row " << row;
        previous = score;
        EXPECT_FALSE(reader.readString().empty()) << "row " << row;
    }
    std::set<int> colours;
    for (int i = 0; i < 3; ++i) {
        int colour = reader.readByte();
        EXPECT_LE(colour, 15);
        EXPECT_NE(colour, 7) << "the playfield's grey";
        EXPECT_NE(colour, 8) << "the playfield's grey";
        colours.insert(colour);
    }
    EXPECT_EQ(colours.size(), 3u);
    EXPECT_EQ(reader.readByte(), 150);
}

}  // namespace
}  // namespace tilebash
