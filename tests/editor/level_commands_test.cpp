// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/runtime_error.h"
#include "editor_test.h"

namespace tilebash::testing {
namespace {

class LevelCommands : public EditorTest {
  protected:
    void SetUp() override {
        writeLevel(3, {{0, {600, 600}}, {1, {2000, 600}}});
        enter("3");
        loaded = allPlaces();
    }
    std::vector<Place> loaded;
};

TEST_F(LevelCommands, ABrickDraggedOutOfTheFieldIsSavedThereNegativeValuesIncluded) {
    drag({700, 650}, {-400, -20});  // brick 0 to (-500, -70)
    editor.cmdSave.onClick();

    std::vector<Place> expected = loaded;
    expected[0] = {-500, -70};
    EXPECT_EQ(placesInFile(3), expected);
    EXPECT_EQ(readBytes(dir / "level3.wkl").substr(0, 12), "-500 \r\n-70 \r");
    EXPECT_EQ(allPlaces(), expected);
    EXPECT_TRUE(editor.cmdSave.visible());
}

TEST_F(LevelCommands, ResetGoesBackToTheLastSaveOrElseToTheLoadedLevel) {
    drag({700, 650}, {1700, 1650});
    editor.cmdReset.onClick();
    EXPECT_EQ(allPlaces(), loaded);

    drag({700, 650}, {1700, 1650});
    editor.cmdSave.onClick();
    const std::vector<Place> saved = allPlaces();
    drag({2100, 650}, {2100, 2650});
    drag({1700, 1650}, {100, 100});
    editor.cmdReset.onClick();
    EXPECT_EQ(allPlaces(), saved);
    EXPECT_EQ(placesInFile(3), saved);

    writeLevel(3);  // the file, not what the editor last wrote, is the level
    editor.cmdReset.onClick();
    EXPECT_EQ(allPlaces(), placesInFile(3));
    EXPECT_NE(allPlaces(), saved);
}

TEST_F(LevelCommands, SavedPositionsAreRoundedHalvesToEvenButTheBricksKeepTheirPlaces) {
    drag({700, 650}, {700.5, 650});       // brick 0 to Left 600.5
    drag({2100, 650}, {2101.5, 1650.5});  // brick 1 to 2001.5, 1600.5
    editor.cmdSave.onClick();

    const std::vector<Place> inFile = placesInFile(3);
    EXPECT_EQ(inFile[0], (Place{600, 600}));
    EXPECT_EQ(inFile[1], (Place{2002, 1600}));
    EXPECT_EQ(editor.intBrickX[1], 2002);
    EXPECT_EQ(placeOf(0), (Place{600.5, 600}));
    EXPECT_EQ(placeOf(1), (Place{2001.5, 1600.5}));
}

TEST_F(LevelCommands, AnOverflowingPositionFailsTheSaveAndLeavesTheFileAsItWas) {
    const std::string before = readBytes(dir / "level3.wkl");
    drag({2100, 650}, {2100, 40000});  // brick 1 to Top 39950

    try {
        editor.cmdSave.onClick();
        FAIL() << "no error";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), 6);
        EXPECT_EQ(error.subject(), "shpBrick(1).Top 39950");
    }
    EXPECT_EQ(readBytes(dir / "level3.wkl"), before);
}

TEST_F(LevelCommands, QuitEndsTheProgramWithoutSaving) {
    const std::string before = readBytes(dir / "level3.wkl");
    drag({700, 650}, {1700, 1650});
    editor.cmdQuit.onClick();
    EXPECT_TRUE(editor.ended());
    EXPECT_EQ(readBytes(dir / "level3.wkl"), before);
}

}  // namespace
}  // namespace tilebash::testing
