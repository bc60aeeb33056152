// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

// Start-up, the menu, Quit and the options file behind them.
#include "game_fixture.h"
#include "support/file_size_limit.h"

namespace tilebash::testing {
namespace {

using Start = GameTest;

TEST_F(Start, MeasuresReadsTheShippedOptionsShowsOnlyTheMenuAndHoldsItsSize) {
    EXPECT_TRUE(visible().empty());
    EXPECT_EQ(window.controls().front(), &window.pixBackground) << "first in the focus order";
    EXPECT_FALSE(window.sizable()) << "the window manager is told the size is fixed";
    // What the view does before start-up where it draws the frame itself (on
    // Wayland): a 4-pixel border on three sides and a 23-pixel title bar.
    window.setFrameExtents(8 * 15, 27 * 15);
    start();
    EXPECT_EQ(visible(), kMenu);
    EXPECT_FALSE(window.tmrFrameSpeed.enabled() || window.tmrTime.enabled());
    EXPECT_EQ((std::array{window.intFormWidth, window.intFormHeight, window.intFieldWidth,
                          window.intFieldHeight}),
              (std::array<std::int16_t, 4>{8385 + 120, 6300 + 405, 7120, 6075}));
    EXPECT_EQ(window.bytLevel, 1);
    EXPECT_EQ(window.intHighScore[9], 1000);
    EXPECT_EQ(window.strHighScoreName[0], "Tilebash Team");
    EXPECT_EQ((std::array{window.bytBallColor, window.bytPaddleColor, window.bytBrickColor,
                          window.bytDifficulty}),
              (std::array<std::uint8_t, 4>{12, 1, 3, 150}));
    window.resizedByUser(9000, 7000);
    EXPECT_EQ(window.outerWidth(), 8385 + 120);
    EXPECT_EQ(window.outerHeight(), 6300 + 405);
    EXPECT_EQ(window.clientWidth(), 8385);
    EXPECT_EQ(window.clientHeight(), 6300);
}

TEST_F(Start, QuitWritesEverythingBackSoThatItReadsBackUnchangedAndEnds) {
    writeBytes(dir / "options.wkp", readBytes(dir / "options.wkp") + "extra line\r\n");
    start();
    const std::array<std::string, 10> names = {
        "", "a, b", "  lead", "trail ", "\ttab", "Zo\xC3\xAB", "in\"side", "x", "y", "z"};
    const std::array<std::int32_t, 10> scores = {2147483647, 90000, 32768, 5, 4, 3, 2, 1, 0, -7};
    window.intHighScore = scores;
    window.strHighScoreName = names;
    window.bytBallColor = 7;
    window.bytDifficulty = 120;
    window.txtNewHighScoreName.setText("Ann \"the\" Best");
    EXPECT_EQ(window.txtNewHighScoreName.text(), "Ann the Best") << "the box refuses quotes";
    window.cmdQuit_Click();
    EXPECT_TRUE(window.ended());

    FrmTilebash next(host);
    next.onLoad();
    EXPECT_EQ(next.intHighScore, scores);
    EXPECT_EQ(next.strHighScoreName, names);
    EXPECT_EQ(next.bytBallColor, 7);
    EXPECT_EQ(next.bytPaddleColor, 1);
    EXPECT_EQ(next.bytDifficulty, 120);
    EXPECT_EQ(readBytes(dir / "options.wkp").find("extra"), std::string::npos);
}

TEST_F(Start, AFailedQuitReportsTheErrorAndLeavesTheFileWhole) {
    start();
    const std::string before = readBytes(dir / "options.wkp");
    window.intHighScore[0] = 99999;
    {
        FileSizeLimit limit(16);
        EXPECT_EQ(errorNumber([&] { window.cmdQuit_Click(); }), 75);
    }
    EXPECT_FALSE(window.ended());
    EXPECT_EQ(readBytes(dir / "options.wkp"), before);
}

// Each bad file stops start-up before the menu shows, takes over no value
// and writes nothing.
TEST_F(Start, EveryBadOptionsFileIsAFatalErrorWithItsNumber) {
    const std::string good = readBytes(dir / "options.wkp");
    const std::size_t colours = good.rfind(" 12 ");
    const struct {
        std::string content;
        int error;
    } cases[] = {
        {"", 62},                                                           // empty
        {good.substr(0, good.size() - 7), 62},                              // 23 records
        {"x" + good, 13},                                                   // score not a number
        {" 2147483648 " + good.substr(good.find('\r')), 6},                 // score beyond 32 bits
        {good.substr(0, colours) + " 256 " + good.substr(colours + 4), 6},  // colour beyond a byte
        {good.substr(0, good.size() - 7) + "-1 \r\n", 6},                   // negative difficulty
    };
    for (const auto& c : cases) {
        writeBytes(dir / "options.wkp", c.content);
        FrmTilebash fresh(host);
        EXPECT_EQ(errorNumber([&] { fresh.onLoad(); }), c.error) << c.content;
        EXPECT_FALSE(fresh.cmdNewGame.visible());
        EXPECT_EQ(fresh.intHighScore[0], 0);
        EXPECT_EQ(readBytes(dir / "options.wkp"), c.content);
    }
    std::filesystem::remove(dir / "options.wkp");
    EXPECT_EQ(errorNumber([&] { start(); }), 53);
    EXPECT_TRUE(visible().empty());
}

}  // namespace
}  // namespace tilebash::testing
