// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

// Plays game after game on the game model with random key presses between
// ticks, random start levels and difficulties, the shipped levels and
// deliberately awkward layouts, and checks after every tick what must always
// hold. The run is a pure function of its seed, so a failure replays with
//   TILEBASH_SOAK_SEED=<seed> TILEBASH_SOAK_TICKS=<ticks> soak_tests
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <unordered_set>

#include "common/level_file.h"
#include "common/line_record_file.h"
#include "common/numeric.h"
#include "common/runtime_error.h"
#include "game/frm_tilebash.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"
#include "ui/key_codes.h"

namespace tilebash::testing {
namespace {

constexpr unsigned long long kDefaultSeed = 20261207;
constexpr long long kDefaultTicks = 2'000'000;
// A game that nobody ends (a ball that cannot fall, bricks out of reach) is
// ended with Escape after this many ticks.
constexpr int kTicksPerGameLimit = 20'000;

unsigned long long fromEnvironment(const char* name, unsigned long long fallback) {
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::strtoull(text, nullptr, 10) : fallback;
}

using Random = std::mt19937_64;

int uniform(Random& random, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
}

bool chance(Random& random, int oneIn) {
    return uniform(random, 1, oneIn) == 1;
}

// Where bricks stand that a player would never place but the files allow.
enum class Layout { Shipped, Overlapping, AtTheServe, FarOutside, AtTheLimits, Anywhere, Mixed };

std::int16_t clamp16(int value) {
    return static_cast<std::int16_t>(std::clamp(value, -32768, 32767));
}

void placeBrick(Layout layout, Random& random, std::int16_t& x, std::int16_t& y) {
    switch (layout) {
        case Layout::Overlapping:
            x = clamp16(3000 + uniform(random, -40, 40));
            y = clamp16(1500 + uniform(random, -40, 40));
            break;
        case Layout::AtTheServe:
            // Around the ball's serving place (3560, 3038), so that a new
            // ball hits at once, also the bricks of the level it just began.
            x = clamp16(3560 - 735 + uniform(random, 0, 735 + 203));
            y = clamp16(3038 - 135 + uniform(random, 0, 135 + 203));
            break;
        case Layout::FarOutside:
            x = clamp16(uniform(random, 0, 1) ? uniform(random, 8000, 32767)
                                              : uniform(random, -32768, -800));
            y = clamp16(uniform(random, -32768, 32767));
            break;
        case Layout::AtTheLimits: {
            static const int kValues[] = {-32768, -32767, 32767, 32766, 32767 - 735, -1, 0};
            x = clamp16(kValues[uniform(random, 0, 6)]);
            y = clamp16(kValues[uniform(random, 0, 6)]);
            break;
        }
        case Layout::Anywhere:
            x = clamp16(uniform(random, -800, 7200));
            y = clamp16(uniform(random, -200, 6200));
            break;
        case Layout::Mixed:
        case Layout::Shipped:
            placeBrick(static_cast<Layout>(uniform(random, 1, 5)), random, x, y);
            break;
    }
}

// Writes level `level` for the next game: a shipped one or a generated one.
// Plain writes: the files are the test's input, not what it tests.
void writeLevel(int level, Random& random, std::map<Layout, long long>& layouts) {
    const std::string name = "level" + std::to_string(level) + ".wkl";
    const Layout layout = static_cast<Layout>(uniform(random, 0, 1) ? 0 : uniform(random, 1, 6));
    ++layouts[layout];
    if (layout == Layout::Shipped) {
        writeBytes(name, readBytes(std::filesystem::path(TILEBASH_DATA_DIR) / name));
        return;
    }
    LineRecordWriter writer;
    for (int i = 0; i < kBrickCount; ++i) {
        std::int16_t x = 0;
        std::int16_t y = 0;
        placeBrick(layout, random, x, y);
        writer.writeInteger(x);
        writer.writeInteger(y);
    }
    writeBytes(name, writer.bytes());
}

// The options file a new run of the program starts from; now and then with
// a difficulty only a hand-edited file has, or a colour that cannot be
// painted (a run-time error when the game or the options screen paints it).
void writeOptions(Random& random) {
    LineRecordWriter writer;
    // Best first, as the game keeps it.
    int score = uniform(random, 0, 40000);
    for (int row = 0; row < 10; ++row) {
        score -= uniform(random, 0, score / 4 + 1);
        writer.writeInteger(score);
        writer.writeText("Row " + std::to_string(row));
    }
    const int badColour = chance(random, 20) ? uniform(random, 0, 2) : -1;
    for (int colour = 0; colour < 3; ++colour) {
        writer.writeInteger(colour == badColour ? uniform(random, 16, 255)
                                                : uniform(random, 0, 15));
    }
    static const int kDifficulties[] = {100, 150, 200};
    writer.writeInteger(chance(random, 10) ? uniform(random, 0, 255)
                                           : kDifficulties[uniform(random, 0, 2)]);
    writeBytes("options.wkp", writer.bytes());
}

std::string randomName(Random& random) {
    static const std::string kPieces[] = {"a", "Z",  " ",  ",", "\"", "\xC3\xA9", "\xE2\x82\xAC",
                                          "7", "\t", "\n", "-", "Ann"};
    std::string name;
    for (int length = uniform(random, 0, 12); length > 0; --length) {
        name += kPieces[uniform(random, 0, 11)];
    }
    return name;
}

struct Totals {
    long long ticks = 0;
    long long games = 0;
    long long won = 0;
    long long lost = 0;
    long long escaped = 0;
    long long levelsCleared = 0;
    long long quits = 0;
    std::map<int, long long> runTimeErrors;
    std::map<Layout, long long> layouts;
};

// One run of the program: a window over the folder's files, from start-up
// until Quit or a run-time error.
class Session {
  public:
    explicit Session(Random& random, Totals& totals) : random_(random), totals_(totals) {
        window_.onLoad();
        for (ui::Control* control : {static_cast<ui::Control*>(&window_.shpBall),
                                     static_cast<ui::Control*>(&window_.shpPaddle),
                                     static_cast<ui::Control*>(&window_.lblDif),
                                     static_cast<ui::Control*>(&window_.lblLevelStatus),
                                     static_cast<ui::Control*>(&window_.lblLivesText),
                                     static_cast<ui::Control*>(&window_.lblLives),
                                     static_cast<ui::Control*>(&window_.lblScoreText),
                                     static_cast<ui::Control*>(&window_.lblScore),
                                     static_cast<ui::Control*>(&window_.lblTime),
                                     static_cast<ui::Control*>(&window_.lblFPS)}) {
            playing_.insert(control);
        }
        for (ui::Shape& brick : window_.shpBrick) {
            bricks_.insert(&brick);
        }
    }

    FrmTilebash& window() { return window_; }

    // Options screen: a difficulty and a start level, sometimes a colour.
    void chooseOptions() {
        FrmTilebash& w = window_;
        w.cmdOptions_Click();
        switch (uniform(random_, 0, 2)) {
            case 0:
                w.optEasy_Click();
                break;
            case 1:
                w.optMedium_Click();
                break;
            default:
                w.optHard_Click();
                break;
        }
        // Also past the bar's ends, which the bar itself refuses.
        w.vsbLevel.setValue(uniform(random_, 0, 6));
        if (chance(random_, 4)) {
            w.lblBallColor_Click();
        }
        if (chance(random_, 4)) {
            w.lblBrickColor_Click();
        }
        w.cmdOKOptions_Click();
    }

    void playGame(long long tickBudget) {
        FrmTilebash& w = window_;
        w.cmdNewGame_Click();
        ++totals_.games;
        const bool tracking = chance(random_, 3);
        const int restlessness = uniform(random_, 2, 40);
        std::int32_t previousScore = w.intScore;
        std::uint8_t previousLevel = w.bytLevel;
        int ticks = 0;
        while (w.tmrFrameSpeed.enabled()) {
            if (ticks >= kTicksPerGameLimit || ticks >= tickBudget) {
                w.pixBackground_KeyDown(ui::kKeyEscape, 0);
                ++totals_.escaped;
                break;
            }
            pressKeys(tracking, restlessness);
            if (!w.tmrFrameSpeed.enabled()) {
                ++totals_.escaped;
                break;
            }
            w.tmrFrameSpeed_Timer();
            ++ticks;
            ++totals_.ticks;
            if (ticks % 20 == 0) {
                w.tmrTime_Timer();
            }
            if (chance(random_, 1000)) {
                w.tmrPreventReSize_Timer();
            }
            checkAfterTick(previousScore);
            if (::testing::Test::HasFatalFailure()) {
                return;  // one report, not one per remaining tick
            }
            if (w.tmrFrameSpeed.enabled() && w.bytLevel != previousLevel) {
                ++totals_.levelsCleared;
                previousLevel = w.bytLevel;
            }
            previousScore = w.intScore;
            if (!w.tmrFrameSpeed.enabled()) {
                (w.bytLives == 0 ? totals_.lost : totals_.won) += 1;
            }
        }
        ASSERT_GE(w.intScore, previousScore);
        checkGameOver();
        if (!::testing::Test::HasFatalFailure()) {
            afterTheGame();
        }
    }

  private:
    void pressKeys(bool tracking, int restlessness) {
        FrmTilebash& w = window_;
        if (tracking) {
            // Roughly after the ball, so that levels get cleared too.
            const int target = w.intBallX + w.intBallSize / 2 - w.intPaddleWidth / 2;
            const int wanted = std::clamp((target - w.intPaddleX) / 2, -320, 320);
            if (w.intPaddleSpeed < wanted - 40) {
                w.pixBackground_KeyDown(ui::kKeyRight, 0);
            } else if (w.intPaddleSpeed > wanted + 40) {
                w.pixBackground_KeyDown(ui::kKeyLeft, 0);
            }
        }
        if (!chance(random_, restlessness)) {
            return;
        }
        static const std::int16_t kKeys[] = {
            ui::kKeyLeft, ui::kKeyRight, ui::kKeyLeft, ui::kKeyRight, 38, 40, 32, 13, 65};
        for (int presses = uniform(random_, 1, 8); presses > 0; --presses) {
            const auto shift = static_cast<std::int16_t>(uniform(random_, 0, 7));
            if (chance(random_, 20000)) {
                w.pixBackground_KeyDown(ui::kKeyEscape, shift);
                return;
            }
            w.pixBackground_KeyDown(kKeys[uniform(random_, 0, 8)], shift);
        }
    }

    void checkAfterTick(std::int32_t previousScore) {
        const FrmTilebash& w = window_;
        ASSERT_GE(w.intPaddleX, 0);
        ASSERT_LE(w.intPaddleX + w.intPaddleWidth, w.intFieldWidth);
        ASSERT_EQ(w.shpPaddle.left(), w.intPaddleX);
        ASSERT_LE(w.bytLives, 3);
        ASSERT_LE(w.bytBricksHit, kBrickCount);
        ASSERT_GE(w.intScore, previousScore);
        if (!w.tmrFrameSpeed.enabled()) {
            return;  // checked by checkGameOver
        }
        ASSERT_GE(w.bytLives, 1);
        ASSERT_TRUE(w.tmrTime.enabled());
        ASSERT_EQ(w.shpBall.left(), w.intBallX);
        ASSERT_EQ(w.shpBall.top(), w.intBallY);
        ASSERT_EQ(w.lblScore.caption(), decimalText(w.intScore));
        ASSERT_EQ(w.lblLives.caption(), decimalText(w.bytLives));
        ASSERT_EQ(w.lblLevelStatus.caption(), "Level: " + decimalText(w.bytLevel));
        // The running game: the play objects and the status labels, and one
        // brick fewer on screen for every brick hit on this level.
        int bricksShown = 0;
        for (const ui::Control* control : w.controls()) {
            if (!control->visible() || control == &w.pixBackground) {
                continue;
            }
            if (bricks_.count(control) != 0) {
                ++bricksShown;
            } else {
                ASSERT_EQ(playing_.count(control), 1u) << control->name() << " shown in play";
            }
        }
        ASSERT_EQ(bricksShown + w.bytBricksHit, kBrickCount);
        for (const ui::Control* control : playing_) {
            ASSERT_TRUE(control->visible()) << control->name() << " hidden in play";
        }
    }

    void checkGameOver() {
        const FrmTilebash& w = window_;
        ASSERT_FALSE(w.tmrTime.enabled());
        for (const ui::Control* control : w.controls()) {
            const bool panel = control == &w.lblGameOver || control == &w.cmdOKGameOver;
            if (control != &w.pixBackground) {
                ASSERT_EQ(control->visible(), panel) << control->name() << " after the game";
            }
        }
        ASSERT_EQ(w.bytLevel, 1);
    }

    // The panel's OK, a name if the score made the table, back to the menu.
    void afterTheGame() {
        FrmTilebash& w = window_;
        w.cmdOKGameOver_Click();
        if (w.txtNewHighScoreName.visible()) {
            w.txtNewHighScoreName.setText(randomName(random_));
            w.cmdOKNewHighScoreName_Click();
            ASSERT_TRUE(w.cmdOKHighScore.visible());
            for (std::size_t row = 0; row + 1 < kHighScoreRows; ++row) {
                ASSERT_GE(w.intHighScore[row], w.intHighScore[row + 1]) << "row " << row;
            }
            w.cmdOKHighScore_Click();
        }
        ASSERT_TRUE(w.cmdNewGame.visible() && w.cmdQuit.visible());
    }

    Random& random_;
    Totals& totals_;
    RecordingHost host_;
    FrmTilebash window_{host_};
    std::unordered_set<const ui::Control*> playing_;
    std::unordered_set<const ui::Control*> bricks_;
};

TEST(Soak, RandomPlayOnAnyLayoutKeepsEveryInvariantEveryTick) {
    const unsigned long long seed = fromEnvironment("TILEBASH_SOAK_SEED", kDefaultSeed);
    const auto tickTarget =
        static_cast<long long>(fromEnvironment("TILEBASH_SOAK_TICKS", kDefaultTicks));
    std::cout << "Soak: TILEBASH_SOAK_SEED=" << seed << " TILEBASH_SOAK_TICKS=" << tickTarget
              << std::endl;
    const auto started = std::chrono::steady_clock::now();

    TempDir dir;
    WorkingDirectory cwd(dir.path());
    Random random(seed);
    Totals totals;
    writeOptions(random);
    std::unique_ptr<Session> session;

    while (totals.ticks < tickTarget && !::testing::Test::HasFailure()) {
        const long long game = totals.games + 1;
        SCOPED_TRACE("game " + std::to_string(game) + ", begun after " +
                     std::to_string(totals.ticks) + " ticks, of the run with seed " +
                     std::to_string(seed));
        for (int level = 1; level <= kLevelCount; ++level) {
            writeLevel(level, random, totals.layouts);
        }
        try {
            if (!session) {
                session = std::make_unique<Session>(random, totals);
            }
            if (chance(random, 3)) {
                session->chooseOptions();
            }
            session->playGame(tickTarget - totals.ticks);
            if (chance(random, 25)) {
                // Quit writes the file; the next run must read back what this
                // one had.
                session->window().cmdQuit_Click();
                ASSERT_TRUE(session->window().ended());
                ++totals.quits;
                auto next = std::make_unique<Session>(random, totals);
                const FrmTilebash& before = session->window();
                const FrmTilebash& after = next->window();
                EXPECT_EQ(after.intHighScore, before.intHighScore);
                EXPECT_EQ(after.strHighScoreName, before.strHighScoreName);
                EXPECT_EQ(after.bytBallColor, before.bytBallColor);
                EXPECT_EQ(after.bytBrickColor, before.bytBrickColor);
                EXPECT_EQ(after.bytDifficulty, before.bytDifficulty);
                session = std::move(next);
            } else if (chance(random, 40)) {
                // Closed from the window's frame: nothing is written, and the
                // player edits the file by hand before the next run.
                session.reset();
                writeOptions(random);
            }
        } catch (const RuntimeError& error) {
            // The program would end with this message; the next run starts
            // from fresh options.
            ++totals.runTimeErrors[error.number()];
            EXPECT_TRUE(error.code() == ErrorCode::Overflow ||
                        error.code() == ErrorCode::InvalidArgument)
                << error.what();
            session.reset();
            writeOptions(random);
        }
    }

    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::ostringstream errors;
    for (auto [number, count] : totals.runTimeErrors) {
        errors << " " << count << " x error " << number;
    }
    std::cout << "Soak: " << totals.ticks << " ticks, " << totals.games << " games (" << totals.won
              << " won, " << totals.lost << " lost, " << totals.escaped << " ended by Escape), "
              << totals.levelsCleared << " levels cleared, " << totals.quits << " quits, "
              << "run-time errors:" << (errors.str().empty() ? " none" : errors.str()) << ", "
              << seconds << " s" << std::endl;
    EXPECT_GE(totals.ticks, tickTarget);
}

}  // namespace
}  // namespace tilebash::testing
