// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/frm_tilebash.h"

namespace tilebash {

namespace {

constexpr double kClientWidth = 8385;
constexpr double kClientHeight = 6300;

// Menu and panel buttons share one size.
constexpr double kButtonWidth = 1335;
constexpr double kButtonHeight = 375;

// The credits name the team and the projects the game is built with.
constexpr const char* kProgramedByName = "The Tilebash team";
constexpr const char* kDesignedByName = "The Tilebash team";
constexpr std::array<const char*, FrmTilebash::kTestedByNames> kTestedByCaptions = {
    "The Tilebash team", "GoogleTest", "Xvfb and xdotool"};
constexpr std::array<const char*, FrmTilebash::kSpecialThanksNames> kSpecialThanksCaptions = {
    "The Qt Project", "CMake", "Debian", "Liberation fonts"};

}  // namespace

FrmTilebash::FrmTilebash(ui::Host& host) : PlayfieldWindow(host) {
    setCaption("Tilebash");
    setProgramTitle("Tilebash");
    setClientSize(kClientWidth, kClientHeight);
    // Its size is held fixed (tmrPreventReSize); the window manager is told
    // as well, so that it offers neither resizing nor maximising.
    setSizable(false);

    // Registration order is the focus order (the playfield first, so that it
    // takes the arrow keys) and the drawing order of the shapes.
    add(pixBackground, "pixBackground");
    pixBackground.setGeometry(1080, 120, kPlayfieldWidth, kPlayfieldHeight);
    pixBackground.setAccessibleName("Playfield");
    createMenu();
    createOptionsScreen();
    createCreditsScreen();
    createGameOverAndNameEntry();
    createHighScoreTable();
    createPlayObjects();
    createStatusLabels();
    // Only the playfield shows until start-up opens the menu.
    for (ui::Control* control : controls()) {
        control->setVisible(control == &pixBackground);
    }

    createTimers();
    wireEvents();
}

// "New Game" is a little narrower than the others.
void FrmTilebash::createMenu() {
    addCaptioned(cmdNewGame, "cmdNewGame", {2880, 2160, 1323, kButtonHeight}, "New Game",
                 &pixBackground);
    addCaptioned(cmdOptions, "cmdOptions", {2880, 2640, kButtonWidth, kButtonHeight}, "Options",
                 &pixBackground);
    addCaptioned(cmdHighScore, "cmdHighScore", {2880, 3120, kButtonWidth, kButtonHeight},
                 "High Score", &pixBackground);
    addCaptioned(cmdCredits, "cmdCredits", {2880, 3600, kButtonWidth, kButtonHeight}, "Credits",
                 &pixBackground);
    addCaptioned(cmdQuit, "cmdQuit", {2880, 4080, kButtonWidth, kButtonHeight}, "Quit",
                 &pixBackground);
}

void FrmTilebash::createOptionsScreen() {
    ui::Surface* field = &pixBackground;
    addCaptioned(lblDificultLevel, "lblDificultLevel", {2280, 2040, 960, 255},
                 "Dificult Level:", field);
    lblDificultLevel.setAutoSize(true);
    addCaptioned(optEasy, "optEasy", {3480, 1680, 855, 255}, "Easy", field);
    optEasy.setGroupName("Difficulty");
    addCaptioned(optMedium, "optMedium", {3480, 2040, 975, 255}, "Medium", field);
    optMedium.setGroupName("Difficulty");
    addCaptioned(optHard, "optHard", {3480, 2400, 975, 255}, "Hard", field);
    optHard.setGroupName("Difficulty");
    addCaptioned(lblLevelText, "lblLevelText", {2880, 1320, 435, 195}, "Level:", field);
    lblLevelText.setAutoSize(true);
    addCaptioned(lblLevel, "lblLevel", {3480, 1320, 135, 255}, "1", field);
    add(vsbLevel, "vsbLevel", field);
    vsbLevel.setGeometry(3610, 1305, 135, 255);
    lblLevelText.setBuddy(vsbLevel);
    addCaptioned(lblBallColorText, "lblBallColorText", {2280, 2880, 705, 195},
                 "Ball Color:", field);
    lblBallColorText.setAutoSize(true);
    addCaptioned(lblBallColor, "lblBallColor", {3360, 2760, 495, 495}, "", field);
    addCaptioned(lblPaddelColorText, "lblPaddelColorText", {2280, 3480, 945, 195},
                 "Paddle Color:", field);
    lblPaddelColorText.setAutoSize(true);
    addCaptioned(lblPaddleColor, "lblPaddleColor", {3360, 3360, 495, 495}, "", field);
    addCaptioned(lblBrickColorText, "lblBrickColorText", {2280, 4080, 810, 195},
                 "Brick Color:", field);
    lblBrickColorText.setAutoSize(true);
    addCaptioned(lblBrickColor, "lblBrickColor", {3360, 3960, 495, 495}, "", field);
    for (ui::Label* swatch : {&lblBallColor, &lblPaddleColor, &lblBrickColor}) {
        swatch->setBackColor(ui::Color::highlight());
        swatch->setBordered(true);
    }
    addCaptioned(cmdOKOptions, "cmdOKOptions", {2880, 4800, kButtonWidth, kButtonHeight}, "OK",
                 &pixBackground);
}

// Every label of the credits is centred.
void FrmTilebash::createCreditsScreen() {
    ui::Surface* field = &pixBackground;
    addCaptioned(lblProgramedBy, "lblProgramedBy", {3000, 1080, 1095, 255}, "Programed by:", field);
    addCaptioned(lblProgramedByName, "lblProgramedByName", {2280, 1320, 2535, 255},
                 kProgramedByName, field);
    addCaptioned(lblDesignedBy, "lblDesignedBy", {2400, 1680, 2295, 255}, "Designed by:", field);
    addCaptioned(lblDesignedByName, "lblDesignedByName", {2280, 1920, 2415, 255}, kDesignedByName,
                 field);
    addCaptioned(lblTestedBy, "lblTestedBy", {1440, 2280, 4215, 255}, "Tested by:", field);
    for (std::size_t i = 0; i < lblTestedByName.size(); ++i) {
        addCaptioned(lblTestedByName[i], indexed("lblTestedByName", i),
                     {1680, 2520 + 240 * static_cast<double>(i), 3735, 255}, kTestedByCaptions[i],
                     field);
    }
    addCaptioned(lblSpecialThanksTo, "lblSpecialThanksTo", {2520, 3360, 2055, 255},
                 "Special Thanks to:", field);
    for (std::size_t i = 0; i < lblSpecialThanksToName.size(); ++i) {
        addCaptioned(lblSpecialThanksToName[i], indexed("lblSpecialThanksToName", i),
                     {2280, 3600 + 240 * static_cast<double>(i), 2535, 255},
                     kSpecialThanksCaptions[i], field);
    }
    for (ui::Label* label : {&lblProgramedBy, &lblProgramedByName, &lblDesignedBy,
                             &lblDesignedByName, &lblTestedBy, &lblSpecialThanksTo}) {
        label->setAlignment(ui::Alignment::Center);
    }
    for (ui::Label& label : lblTestedByName) {
        label.setAlignment(ui::Alignment::Center);
    }
    for (ui::Label& label : lblSpecialThanksToName) {
        label.setAlignment(ui::Alignment::Center);
    }
    addCaptioned(cmdOKCredits, "cmdOKCredits", {2880, 4920, kButtonWidth, kButtonHeight}, "OK",
                 &pixBackground);
}

void FrmTilebash::createGameOverAndNameEntry() {
    ui::Surface* field = &pixBackground;
    addCaptioned(lblGameOver, "lblGameOver", {2280, 2760, 1605, 360}, "Game Over", field);
    lblGameOver.setFont({"MS Sans Serif", 13.5, true});
    lblGameOver.setAutoSize(true);
    addCaptioned(lblFinalScore, "lblFinalScore", {2880, 3000, 2055, 255},
                 "You got a score of: ", field);
    addCaptioned(cmdOKGameOver, "cmdOKGameOver", {2880, 3120, kButtonWidth, kButtonHeight}, "OK",
                 &pixBackground);
    addCaptioned(lblNewHighScore, "lblNewHighScore", {840, 2640, 5535, 375},
                 "Congratulations! You got a new High Score!", field);
    lblNewHighScore.setFont({"MS Sans Serif", 12, true});
    addCaptioned(lblEnterYourName, "lblEnterYourName", {3000, 3240, 1815, 255},
                 "Enter your name:", field);
    add(txtNewHighScoreName, "txtNewHighScoreName", field);
    txtNewHighScoreName.setGeometry(2040, 3480, 2895, 285);
    lblEnterYourName.setBuddy(txtNewHighScoreName);
    // A double quote would end the name early when the file is read back,
    // and a character outside the file's code page would come back as "?".
    txtNewHighScoreName.setRejectedCharacters("\"");
    txtNewHighScoreName.setCharacterSet(ui::CharacterSet::Windows1252);
    addCaptioned(cmdOKNewHighScoreName, "cmdOKNewHighScoreName",
                 {2880, 3960, kButtonWidth, kButtonHeight}, "OK", &pixBackground);
}

// A name and a score on each row, best first.
void FrmTilebash::createHighScoreTable() {
    ui::Surface* field = &pixBackground;
    for (std::size_t i = 0; i < kHighScoreRows; ++i) {
        double top = 1560 + 360 * static_cast<double>(i);
        addCaptioned(lblHighScoreNameNr[i], indexed("lblHighScoreNameNr", i),
                     {1320, top, 2535, 255}, "Name", field);
        addCaptioned(lblHighScoreNr[i], indexed("lblHighScoreNr", i), {4080, top, 1815, 255},
                     "Score", field);
        lblHighScoreNr[i].setAlignment(ui::Alignment::Right);
    }
    addCaptioned(cmdOKHighScore, "cmdOKHighScore", {2880, 5160, kButtonWidth, kButtonHeight}, "OK",
                 &pixBackground);
}

void FrmTilebash::createPlayObjects() {
    ui::Surface* field = &pixBackground;
    for (std::size_t i = 0; i < shpBrick.size(); ++i) {
        add(shpBrick[i], indexed("shpBrick", i), field);
        shpBrick[i].setForm(ui::Shape::Form::RoundedRectangle);
        shpBrick[i].setGeometry(gridLeft(i), gridTop(i), kBrickWidth, kBrickHeight);
    }
    add(shpBall, "shpBall", field);
    shpBall.setForm(ui::Shape::Form::Circle);
    shpBall.setGeometry(3600, 2280, 204, 203);
    add(shpPaddle, "shpPaddle", field);
    shpPaddle.setForm(ui::Shape::Form::RoundedRectangle);
    shpPaddle.setGeometry(3000, 5760, 1425, 210);
}

// On the window itself. The strip left of the playfield is 72 pixels wide:
// "Dif: Medium" needs the whole of it, and a seven-digit score does not fit
// beside "Score :", so the score has a line of its own.
void FrmTilebash::createStatusLabels() {
    addCaptioned(lblDif, "lblDif", {0, 240, 1065, 255}, "Dif:", nullptr);
    addCaptioned(lblLevelStatus, "lblLevelStatus", {0, 600, 735, 255}, "Level:", nullptr);
    addCaptioned(lblLivesText, "lblLivesText", {0, 960, 855, 255}, "Lives:", nullptr);
    addCaptioned(lblLives, "lblLives", {480, 960, 495, 255}, "3", nullptr);
    addCaptioned(lblScoreText, "lblScoreText", {0, 1320, 855, 255}, "Score :", nullptr);
    addCaptioned(lblScore, "lblScore", {0, 1500, 1065, 180}, "0", nullptr);
    addCaptioned(lblTime, "lblTime", {0, 1680, 975, 255}, "Time:", nullptr);
    addCaptioned(lblFPS, "lblFPS", {0, 2040, 735, 255}, "FPS:", nullptr);
}

void FrmTilebash::createTimers() {
    add(tmrFrameSpeed, "tmrFrameSpeed");
    tmrFrameSpeed.setInterval(50);
    add(tmrTime, "tmrTime");
    tmrTime.setInterval(1000);
    add(tmrPreventReSize, "tmrPreventReSize");
    tmrPreventReSize.setInterval(1);
    // Its handler only undoes a resize, so it need not wake while nothing
    // resizes the window.
    tmrPreventReSize.setWake(ui::Timer::Wake::WhenWindowResized);
    tmrPreventReSize.setEnabled(true);
}

void FrmTilebash::wireEvents() {
    onLoad = [this] { Form_Load(); };

    cmdNewGame.onClick = [this] { cmdNewGame_Click(); };
    cmdOptions.onClick = [this] { cmdOptions_Click(); };
    cmdHighScore.onClick = [this] { cmdHighScore_Click(); };
    cmdCredits.onClick = [this] { cmdCredits_Click(); };
    cmdQuit.onClick = [this] { cmdQuit_Click(); };

    lblBallColor.onClick = [this] { lblBallColor_Click(); };
    lblPaddleColor.onClick = [this] { lblPaddleColor_Click(); };
    lblBrickColor.onClick = [this] { lblBrickColor_Click(); };
    optEasy.onClick = [this] { optEasy_Click(); };
    optMedium.onClick = [this] { optMedium_Click(); };
    optHard.onClick = [this] { optHard_Click(); };
    vsbLevel.onChange = [this] { vsbLevel_Change(); };
    cmdOKOptions.onClick = [this] { cmdOKOptions_Click(); };

    cmdOKCredits.onClick = [this] { cmdOKCredits_Click(); };

    cmdOKGameOver.onClick = [this] { cmdOKGameOver_Click(); };
    cmdOKNewHighScoreName.onClick = [this] { cmdOKNewHighScoreName_Click(); };
    cmdOKHighScore.onClick = [this] { cmdOKHighScore_Click(); };

    pixBackground.onKeyDown = [this](std::int16_t keyCode, std::int16_t shift) {
        pixBackground_KeyDown(keyCode, shift);
    };

    tmrFrameSpeed.onTimer = [this] { tmrFrameSpeed_Timer(); };
    tmrTime.onTimer = [this] { tmrTime_Timer(); };
    tmrPreventReSize.onTimer = [this] { tmrPreventReSize_Timer(); };
}

}  // namespace tilebash
