// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/line_record_file.h"
#include "common/runtime_error.h"
#include "editor_test.h"

namespace tilebash::testing {
namespace {

class LevelPrompt : public EditorTest {
  protected:
    bool promptShown() const {
        const bool shown = editor.lblWhichLevel.visible();
        EXPECT_EQ(editor.txtLevel.visible(), shown);
        EXPECT_EQ(editor.cmdOK.visible(), shown);
        return shown;
    }
    bool editingShown() const {
        const bool shown = editor.cmdSave.visible();
        for (const ui::Control* control :
             {&editor.cmdReset, &editor.cmdChageLevel, &editor.cmdQuit}) {
            EXPECT_EQ(control->visible(), shown) << control->name();
        }
        for (const ui::Shape& brick : editor.shpBrick) {
            EXPECT_EQ(brick.visible(), shown) << brick.name();
        }
        return shown;
    }
    void expectOneScreen() {
        EXPECT_NE(promptShown(), editingShown());
        EXPECT_TRUE(editor.pixBackground.visible());
    }
};

TEST_F(LevelPrompt, OpensOnThePromptWithThePlayfieldFocusedFirst) {
    EXPECT_EQ(editor.caption(), "Tilebash Level Editor");
    EXPECT_TRUE(editor.sizable()) << "nothing holds the editor's size";
    EXPECT_TRUE(promptShown());
    EXPECT_FALSE(editingShown());
    EXPECT_EQ(editor.bytLevel, 0);
    EXPECT_DOUBLE_EQ(editor.pixBackground.scaleWidth(), 7120);
    EXPECT_DOUBLE_EQ(editor.pixBackground.scaleHeight(), 6075);

    std::map<int, std::string> focusOrder;
    for (const ui::Control* control : editor.controls()) {
        if (control->kind() != ui::ControlKind::Label &&
            control->kind() != ui::ControlKind::Shape) {
            focusOrder[control->tabIndex()] = control->name();
        }
    }
    std::vector<std::string> names;
    for (const auto& [index, name] : focusOrder) {
        names.push_back(name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"pixBackground", "txtLevel", "cmdOK", "cmdReset",
                                               "cmdChageLevel", "cmdSave", "cmdQuit"}));
}

TEST_F(LevelPrompt, AnAcceptedLevelShowsItsBricksWhereItsFilePutsThem) {
    enter("3");
    EXPECT_EQ(editor.bytLevel, 3);
    EXPECT_EQ(allPlaces(), placesInFile(3));
    EXPECT_NE(allPlaces(), placesInFile(1));
}

TEST_F(LevelPrompt, ChangeLevelDropsUnsavedMovesEvenForTheSameLevel) {
    writeLevel(2, {{4, {600, 600}}});
    enter("2");
    drag({700, 650}, {1700, 1650});
    ASSERT_EQ(placeOf(4), (Place{1600, 1600}));

    editor.cmdChageLevel.onClick();
    EXPECT_TRUE(promptShown());
    EXPECT_EQ(placeOf(4), (Place{1600, 1600}));  // hidden, not yet reloaded
    enter("2");
    EXPECT_EQ(allPlaces(), placesInFile(2));
}

TEST_F(LevelPrompt, TheCommandButtonsAreNeverShownWithThePrompt) {
    expectOneScreen();
    enter("9");
    expectOneScreen();
    enter("1");
    expectOneScreen();
    editor.cmdSave.onClick();
    editor.cmdReset.onClick();
    expectOneScreen();
    editor.cmdChageLevel.onClick();
    expectOneScreen();
    enter("5");
    expectOneScreen();
}

TEST_F(LevelPrompt, AMissingOrShortLevelFileIsAnErrorNamingTheFile) {
    std::filesystem::remove(dir / "level4.wkl");
    try {
        enter("4");
        FAIL() << "no error";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.code(), ErrorCode::FileNotFound);
        EXPECT_EQ(error.subject(), "level4.wkl");
    }

    LineRecordWriter shortFile;
    for (int record = 0; record < 69; ++record) {
        shortFile.writeInteger(100);
    }
    writeBytes(dir / "level5.wkl", shortFile.bytes());
    try {
        enter("5");
        FAIL() << "no error";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.code(), ErrorCode::InputPastEndOfFile);
        EXPECT_EQ(error.subject().rfind("level5.wkl", 0), 0u) << error.subject();
    }
}

}  // namespace
}  // namespace tilebash::testing
