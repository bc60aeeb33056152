// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor_test.h"

namespace tilebash::testing {
namespace {

class BrickDragging : public EditorTest {
  protected:
    void SetUp() override {
        writeLevel(1, {{5, {600, 600}}, {2, {2000, 1000}}, {7, {2300, 1050}}});
        enter("1");
    }
};

TEST_F(BrickDragging, TheGrabPointStaysUnderThePointerUntilTheRelease) {
    press(700.75, 651.5, ui::kRightButton);  // offsets rounded, not cut off
    EXPECT_EQ(editor.lngDragOffsetX, 101);
    EXPECT_EQ(editor.lngDragOffsetY, 52);
    moveTo(900, 800, 0);
    EXPECT_EQ(placeOf(5), (Place{799, 748}));
    EXPECT_DOUBLE_EQ(editor.shpBrick[5].width(), 735);

    release(900, 800, ui::kMiddleButton);
    moveTo(2000, 2000);
    EXPECT_EQ(placeOf(5), (Place{799, 748}));
}

TEST_F(BrickDragging, APressOnAnEdgeGrabsNothing) {
    const std::vector<Place> before = allPlaces();
    for (Place edge : {Place{600, 650}, Place{1335, 650}, Place{700, 600}, Place{700, 735}}) {
        press(edge.left, edge.top);
        moveTo(3000, 200);
        release(3000, 200);
    }
    EXPECT_EQ(allPlaces(), before);

    drag({600.25, 600.5}, {1600.25, 1600.5});
    EXPECT_EQ(placeOf(5), (Place{1600.25, 1600.5}));  // offsets 0 and 0: halves to even
}

TEST_F(BrickDragging, APressAndReleaseWithoutAMoveLeavesEveryBrickInPlace) {
    const std::vector<Place> before = allPlaces();
    press(700, 650);
    release(700, 650);
    moveTo(1000, 1000);
    EXPECT_EQ(allPlaces(), before);
}

// Bricks 2 and 7 overlap at (2400, 1100): both are marked, the offsets are
// brick 7's, and only brick 2 follows the pointer.
TEST_F(BrickDragging, OfTwoOverlappingBricksTheLowerFollowsWithTheHighersOffsets) {
    press(2400, 1100);
    EXPECT_EQ(editor.lngDragOffsetX, 100);
    EXPECT_EQ(editor.lngDragOffsetY, 50);
    moveTo(3000, 2000);
    EXPECT_EQ(placeOf(2), (Place{2900, 1950}));
    EXPECT_EQ(placeOf(7), (Place{2300, 1050}));
    moveTo(3100, 2100);
    EXPECT_EQ(placeOf(2), (Place{3000, 2050}));
    EXPECT_EQ(placeOf(7), (Place{2300, 1050}));

    // A release outside the playfield never arrives: the brick keeps following.
    moveTo(3200, 2200, 0);
    EXPECT_EQ(placeOf(2), (Place{3100, 2150}));
}

}  // namespace
}  // namespace tilebash::testing
