// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "common/options_file.h"
#include "playfield/bricks.h"
#include "playfield/playfield_window.h"
#include "ui/control_group.h"
#include "ui/controls.h"

namespace tilebash {

// The game window: every control the game ever shows, the whole state of the
// game, and the handlers and procedures that change them. The screens (menu,
// options, credits, running game, game over, name entry, high-score table)
// are groups of these controls that the handlers show and hide.
//
// The handlers live in one file per concern: lifecycle.cpp, frame_tick.cpp,
// keyboard_and_timers.cpp and the front end under frontend/.
class FrmTilebash : public PlayfieldWindow {
  public:
    static constexpr std::size_t kTestedByNames = 3;
    static constexpr std::size_t kSpecialThanksNames = 4;

    // The difficulties the options screen offers: the ball's vertical speed
    // in twips per tick.
    static constexpr std::uint8_t kEasy = 100;
    static constexpr std::uint8_t kMedium = 150;
    static constexpr std::uint8_t kHard = 200;

    explicit FrmTilebash(ui::Host& host);

    // ---- Controls --------------------------------------------------------

    // The playfield; holds every control except the status labels.
    ui::Surface pixBackground;

    // Main menu.
    ui::CommandButton cmdNewGame, cmdOptions, cmdHighScore, cmdCredits, cmdQuit;

    // Options screen.
    ui::Label lblDificultLevel;
    ui::OptionButton optEasy, optMedium, optHard;
    ui::Label lblLevelText, lblLevel;
    ui::ScrollBar vsbLevel;
    ui::Label lblBallColorText, lblBallColor;
    ui::Label lblPaddelColorText, lblPaddleColor;
    ui::Label lblBrickColorText, lblBrickColor;
    ui::CommandButton cmdOKOptions;

    // Credits screen.
    ui::Label lblProgramedBy, lblProgramedByName;
    ui::Label lblDesignedBy, lblDesignedByName;
    ui::Label lblTestedBy;
    std::array<ui::Label, kTestedByNames> lblTestedByName;
    ui::Label lblSpecialThanksTo;
    std::array<ui::Label, kSpecialThanksNames> lblSpecialThanksToName;
    ui::CommandButton cmdOKCredits;

    // Game-over panel and name entry.
    ui::Label lblGameOver, lblFinalScore;
    ui::CommandButton cmdOKGameOver;
    ui::Label lblNewHighScore, lblEnterYourName;
    ui::TextBox txtNewHighScoreName;
    ui::CommandButton cmdOKNewHighScoreName;

    // High-score table.
    std::array<ui::Label, kHighScoreRows> lblHighScoreNameNr;
    std::array<ui::Label, kHighScoreRows> lblHighScoreNr;
    ui::CommandButton cmdOKHighScore;

    // Play objects.
    std::array<ui::Shape, kBrickCount> shpBrick;
    ui::Shape shpBall, shpPaddle;

    // Status labels, in the strip left of the playfield.
    ui::Label lblDif, lblLevelStatus, lblLivesText, lblLives, lblScoreText, lblScore, lblTime,
        lblFPS;

    ui::Timer tmrFrameSpeed, tmrTime, tmrPreventReSize;

    // ---- State record ----------------------------------------------------
    // Positions and sizes are twips inside the playfield. The score and the
    // table's scores are 32-bit: a finished game easily passes 32767.

    std::int16_t intFieldWidth = 0, intFieldHeight = 0;
    std::int16_t intFormWidth = 0, intFormHeight = 0;
    std::uint8_t bytLevel = 0;
    std::uint8_t bytDifficulty = 0;
    std::uint8_t bytBallColor = 0, bytPaddleColor = 0, bytBrickColor = 0;
    BrickCoordinates intBrickX{}, intBrickY{};
    std::int16_t intBallX = 0, intBallY = 0;
    std::int16_t intBallSpeedX = 0, intBallSpeedY = 0;
    std::int16_t intPaddleX = 0, intPaddleY = 0;
    std::int16_t intPaddleSpeed = 0;
    std::int16_t intPaddleWidth = 0, intPaddleHeight = 0;
    std::int16_t intBallSize = 0;
    std::int16_t intBrickWidth = 0, intBrickHeight = 0;
    std::int32_t intScore = 0;
    std::uint8_t bytLives = 0;
    std::uint8_t bytBricksHit = 0;
    std::int16_t intFrameCount = 0;
    std::int16_t intGameTime = 0;
    std::array<std::int32_t, kHighScoreRows> intHighScore{};
    std::array<std::string, kHighScoreRows> strHighScoreName{};
    std::uint8_t bytNewHighScorePos = 0;

    // ---- Start-up, menu and quit (frontend/menu.cpp) ---------------------
    void Form_Load();
    void subMenu(bool blnShow);
    void cmdQuit_Click();

    // ---- Options file (frontend/options_file.cpp) ------------------------
    void subReadOptions();
    void subSaveOptions();

    // ---- Life of a game (lifecycle.cpp) ----------------------------------
    void cmdNewGame_Click();
    void subInitalize();
    void subLoadLevel();
    void subNextLevel();
    void subEndGame(const std::string& strEndingGame);

    // ---- Frame tick (frame_tick.cpp) -------------------------------------
    void tmrFrameSpeed_Timer();

    // ---- Keys and status timers (keyboard_and_timers.cpp) ----------------
    void pixBackground_KeyDown(std::int16_t KeyCode, std::int16_t Shift);
    void tmrTime_Timer();
    void tmrPreventReSize_Timer();

    // ---- Game over and high scores (frontend/high_scores.cpp) ------------
    void cmdOKGameOver_Click();
    bool fncShortHighScore(std::int32_t intHS);
    void subNewHighScoreName();
    void cmdOKNewHighScoreName_Click();
    void subShowHighScore(bool blnShowHS);
    void cmdOKHighScore_Click();
    void cmdHighScore_Click();

    // ---- Options screen (frontend/options_screen.cpp) --------------------
    void cmdOptions_Click();
    void lblBallColor_Click();
    void lblPaddleColor_Click();
    void lblBrickColor_Click();
    void optEasy_Click();
    void optMedium_Click();
    void optHard_Click();
    void vsbLevel_Change();
    void cmdOKOptions_Click();

    // ---- Credits screen (frontend/credits.cpp) ---------------------------
    void cmdCredits_Click();
    void cmdOKCredits_Click();

  private:
    // ---- Screens ---------------------------------------------------------
    // Each screen's controls in the order they are shown and hidden.

    auto menuScreen() {
        return ui::controlGroup(cmdNewGame, cmdOptions, cmdHighScore, cmdCredits, cmdQuit);
    }
    auto optionsScreen() {
        return ui::controlGroup(lblBallColor, lblBallColorText, lblBrickColor, lblBrickColorText,
                                lblPaddelColorText, lblPaddleColor, lblDificultLevel, optEasy,
                                optMedium, optHard, cmdOKOptions, lblLevel, lblLevelText, vsbLevel);
    }
    auto creditsScreen() {
        return ui::controlGroup(lblProgramedBy, lblProgramedByName, lblDesignedBy,
                                lblDesignedByName, lblTestedBy, lblTestedByName, lblSpecialThanksTo,
                                lblSpecialThanksToName, cmdOKCredits);
    }
    auto gameOverPanel() { return ui::controlGroup(lblGameOver, cmdOKGameOver); }
    auto nameEntryPanel() {
        return ui::controlGroup(lblEnterYourName, lblNewHighScore, txtNewHighScoreName,
                                cmdOKNewHighScoreName, lblFinalScore);
    }
    auto highScoreTable() {
        return ui::controlGroup(lblHighScoreNr, lblHighScoreNameNr, cmdOKHighScore);
    }
    auto playObjects() { return ui::controlGroup(shpBrick, shpBall, shpPaddle); }
    auto statusLabels() {
        return ui::controlGroup(lblLives, lblLivesText, lblScore, lblScoreText, lblTime, lblDif,
                                lblFPS, lblLevelStatus);
    }

    void serveBall();
    void describeGame();

    // The steps of the frame tick.
    void bounceBall();
    void hitBricks();
    bool touches(const ui::Shape& brick) const;
    void boundPaddle();

    // Each creates its screen's controls; the order of the calls is the
    // focus order and the drawing order.
    void createMenu();
    void createOptionsScreen();
    void createCreditsScreen();
    void createGameOverAndNameEntry();
    void createHighScoreTable();
    void createPlayObjects();
    void createStatusLabels();
    void createTimers();
    void wireEvents();
};

}  // namespace tilebash
