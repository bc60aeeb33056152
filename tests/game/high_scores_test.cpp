// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

// Game over, the insertion into the table, the name entry and the table.
#include "game_fixture.h"

namespace tilebash::testing {
namespace {

class HighScores : public GameTest {
  protected:
    HighScores() {
        start();
        for (std::size_t row = 0; row < 10; ++row) {
            window.intHighScore[row] = static_cast<std::int32_t>(1000 - 100 * row);
            window.strHighScoreName[row] = std::string(1, static_cast<char>('A' + row));
        }
    }
    // Ends a game with `score` and clicks OK on the game-over panel.
    void finishWith(std::int32_t score) {
        window.cmdNewGame_Click();
        window.pixBackground_KeyDown(ui::kKeyEscape, 0);
        window.intScore = score;
        window.cmdOKGameOver_Click();
    }
};

TEST_F(HighScores, AScoreGoesBelowEveryEqualOneAndPushesTheRestDown) {
    using Table = std::array<std::int32_t, 10>;
    const Table falling = {1000, 900, 800, 700, 600, 500, 400, 300, 200, 100};
    const struct {
        Table table;
        std::int32_t score;
        bool enters;
        int row;
        Table after;
    } cases[] = {
        // clang-format off
        {falling, 100, false, 0, falling},
        {falling, 850, true, 2, {1000, 900, 850, 800, 700, 600, 500, 400, 300, 200}},
        {{1000, 900, 800, 700, 700, 500, 400, 300, 200, 100}, 700, true, 5,
         {1000, 900, 800, 700, 700, 700, 500, 400, 300, 200}},
        {falling, 150, true, 9, {1000, 900, 800, 700, 600, 500, 400, 300, 200, 150}},
        {falling, 90000, true, 0, {90000, 1000, 900, 800, 700, 600, 500, 400, 300, 200}},
        // stored out of order: the first row it beats, once
        {{100, 900, 800, 700, 600, 500, 400, 300, 200, 50}, 850, true, 0,
         {850, 100, 900, 800, 700, 600, 500, 400, 300, 200}},
        // clang-format on
    };
    for (const auto& c : cases) {
        window.intHighScore = c.table;
        window.bytNewHighScorePos = 0;
        EXPECT_EQ(window.fncShortHighScore(c.score), c.enters) << c.score;
        EXPECT_EQ(window.bytNewHighScorePos, c.row) << c.score;
        EXPECT_EQ(window.intHighScore, c.after) << c.score;
    }
}

TEST_F(HighScores, AScoreOutsideTheTableLeadsStraightBackToTheMenu) {
    finishWith(100);
    EXPECT_EQ(visible(), kMenu);
}

TEST_F(HighScores, TheNameIsStoredAsTypedAtItsRowAndTheTableShows) {
    finishWith(850);
    EXPECT_EQ(visible(),
              (std::set<std::string>{"lblEnterYourName", "lblNewHighScore", "txtNewHighScoreName",
                                     "cmdOKNewHighScoreName", "lblFinalScore"}));
    EXPECT_EQ(window.lblFinalScore.caption(), "You got a score of: 850");
    window.txtNewHighScoreName.setText(" Zed, Jr ");
    window.cmdOKNewHighScoreName_Click();
    EXPECT_EQ(window.txtNewHighScoreName.text(), "");
    const std::array<std::string, 10> names = {"A", "B", " Zed, Jr ", "C", "D",
                                               "E", "F", "G",         "H", "I"};
    EXPECT_EQ(window.strHighScoreName, names);
    EXPECT_EQ(window.lblHighScoreNr[2].caption(), "850");
    EXPECT_EQ(window.lblHighScoreNameNr[2].caption(), " Zed, Jr ");
    EXPECT_EQ(visible().size(), 21u);
    EXPECT_TRUE(window.cmdOKHighScore.visible());
    window.cmdOKHighScore_Click();
    EXPECT_EQ(visible(), kMenu);

    // The menu's "High Score" shows the table held in memory.
    window.cmdHighScore_Click();
    EXPECT_EQ(window.lblHighScoreNr[3].caption(), "800");
    EXPECT_EQ(window.lblHighScoreNameNr[9].caption(), "I");
    EXPECT_EQ(visible().count("cmdNewGame"), 0u);
}

// A character the options file cannot hold never enters the box, so the
// table shows what the file keeps and what comes back after a restart.
TEST_F(HighScores, ANameKeepsOnlyWhatTheFileHoldsAndComesBackAsShown) {
    finishWith(5000);
    // "Łukasz é ß €" and an emoji
    window.txtNewHighScoreName.setText(
        "\xC5\x81ukasz \xC3\xA9 \xC3\x9F \xE2\x82\xAC \xF0\x9F\x98\x80!");
    const std::string shown = "ukasz \xC3\xA9 \xC3\x9F \xE2\x82\xAC !";
    EXPECT_EQ(window.txtNewHighScoreName.text(), shown);
    window.cmdOKNewHighScoreName_Click();
    EXPECT_EQ(window.lblHighScoreNameNr[0].caption(), shown);
    window.cmdOKHighScore_Click();
    window.cmdQuit_Click();
    EXPECT_TRUE(readBytes(dir / "options.wkp").starts_with(" 5000 \r\nukasz \xE9 \xDF \x80 !\r\n"));

    FrmTilebash next(host);
    next.onLoad();
    next.cmdHighScore_Click();
    EXPECT_EQ(next.lblHighScoreNameNr[0].caption(), shown);
}

TEST_F(HighScores, AnEmptyNameIsKept) {
    finishWith(5000);
    window.cmdOKNewHighScoreName_Click();
    EXPECT_EQ(window.strHighScoreName[0], "");
    EXPECT_EQ(window.lblHighScoreNameNr[0].caption(), "");
    EXPECT_EQ(window.strHighScoreName[1], "A");
}

}  // namespace
}  // namespace tilebash::testing
