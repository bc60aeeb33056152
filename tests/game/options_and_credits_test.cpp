// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

// The options screen and the credits screen.
#include "common/palette.h"
#include "game_fixture.h"

namespace tilebash::testing {
namespace {

using OptionsScreen = GameTest;

const std::set<std::string> kOptions = {
    "lblBallColor",       "lblBallColorText", "lblBrickColor",    "lblBrickColorText",
    "lblPaddelColorText", "lblPaddleColor",   "lblDificultLevel", "optEasy",
    "optMedium",          "optHard",          "cmdOKOptions",     "lblLevel",
    "lblLevelText",       "vsbLevel"};

TEST_F(OptionsScreen, AnUnknownDifficultyOpensAsHardAndOkStoresHard) {
    writeOptions(7, 1, 3, 120);
    start();
    window.cmdOptions_Click();
    EXPECT_EQ(visible(), kOptions);
    EXPECT_TRUE(window.optHard.value() && !window.optEasy.value() && !window.optMedium.value());
    EXPECT_EQ(window.lblBallColor.backColor(), ui::Color::of(paletteColor(7)));
    EXPECT_EQ(window.lblLevel.caption(), "1");
    window.cmdOKOptions_Click();
    EXPECT_EQ(window.bytDifficulty, 200);
    EXPECT_EQ(visible(), kMenu);
}

TEST_F(OptionsScreen, ADifficultyIsOnlyTakenOnOk) {
    start();
    window.cmdOptions_Click();
    EXPECT_TRUE(window.optMedium.value());
    window.optEasy.click();
    EXPECT_FALSE(window.optMedium.value());
    EXPECT_EQ(window.bytDifficulty, 150);
    window.cmdOKOptions_Click();
    EXPECT_EQ(window.bytDifficulty, 100);
}

// A screen reader hears what each swatch colours and its colour's name.
TEST_F(OptionsScreen, ASwatchClickStepsThroughFifteenColoursNeverSeven) {
    writeOptions(7, 6, 15, 150);
    start();
    window.cmdOptions_Click();
    auto names = [&] {
        return std::array{window.lblBallColor.accessibleName(),
                          window.lblPaddleColor.accessibleName(),
                          window.lblBrickColor.accessibleName()};
    };
    EXPECT_EQ(names(), (std::array<std::string, 3>{"Ball colour: White (light grey)",
                                                   "Paddle colour: Yellow (brown)",
                                                   "Brick colour: Bright white"}));
    window.lblBallColor_Click();
    window.lblPaddleColor_Click();
    window.lblBrickColor_Click();
    EXPECT_EQ((std::array{window.bytBallColor, window.bytPaddleColor, window.bytBrickColor}),
              (std::array<std::uint8_t, 3>{8, 8, 0}));
    EXPECT_EQ(window.lblBrickColor.backColor(), ui::Color::of(paletteColor(0)));
    EXPECT_EQ(names(), (std::array<std::string, 3>{"Ball colour: Grey", "Paddle colour: Grey",
                                                   "Brick colour: Black"}));
    std::set<int> seen;
    for (int i = 0; i < 15; ++i) {
        window.lblBallColor.onClick();
        seen.insert(window.bytBallColor);
    }
    EXPECT_EQ(seen.size(), 15u);
    EXPECT_EQ(seen.count(7), 0u);
    EXPECT_EQ(window.bytBallColor, 8);
}

TEST_F(OptionsScreen, AColourAboveFifteenFromTheFileFailsWhenPainted) {
    writeOptions(12, 1, 16, 150);
    start();
    EXPECT_EQ(errorNumber([&] { window.cmdOptions_Click(); }), 5);
}

TEST_F(OptionsScreen, TheStartLevelStaysInOneToFiveAndHoldsForOneGame) {
    start();
    window.cmdOptions_Click();
    for (auto [set, shown] : {std::pair{0, "1"}, {6, "5"}, {3, "3"}}) {
        window.vsbLevel.setValue(set);
        EXPECT_EQ(window.lblLevel.caption(), shown) << set;
        EXPECT_EQ(std::to_string(window.bytLevel), shown) << set;
    }
    window.cmdOKOptions_Click();
    window.cmdNewGame_Click();
    window.tmrFrameSpeed_Timer();
    EXPECT_EQ(window.lblLevelStatus.caption(), "Level: 3");
    window.pixBackground_KeyDown(ui::kKeyEscape, 0);
    window.cmdOKGameOver_Click();
    window.cmdOptions_Click();
    EXPECT_EQ(window.lblLevel.caption(), "1");
    EXPECT_EQ(window.bytLevel, 1);
}

using Credits = GameTest;

TEST_F(Credits, OpeningAndClosingChangesNothingAndEndsOnTheMenu) {
    start();
    auto captions = [&] {
        std::vector<std::string> all;
        for (const ui::Control* control : window.controls()) {
            if (const auto* label = dynamic_cast<const ui::Label*>(control)) {
                all.push_back(label->caption());
            }
        }
        return all;
    };
    const auto before = captions();
    for (int i = 0; i < 3; ++i) {
        window.cmdCredits_Click();
        EXPECT_EQ(visible().size(), 14u);
        EXPECT_TRUE(window.cmdOKCredits.visible() && window.lblSpecialThanksToName[3].visible());
        window.cmdOKCredits_Click();
    }
    EXPECT_EQ(visible(), kMenu);
    EXPECT_EQ(captions(), before);
    EXPECT_EQ(window.bytLevel, 1);
    EXPECT_EQ(window.intHighScore[0], 10000);
}

}  // namespace
}  // namespace tilebash::testing
