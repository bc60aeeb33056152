// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "support/recording_host.h"
#include "ui/window.h"

namespace tilebash::ui {
namespace {

// A small window with one of each kind, as a window class would declare it.
class SampleWindow : public Window {
  public:
    explicit SampleWindow(Host& host) : Window(host) {
        add(pixField, "pixField");
        pixField.setGeometry(0, 0, 3000, 2000);
        add(optA, "optA", &pixField);
        add(optB, "optB", &pixField);
        add(optOutside, "optOutside");
        add(lblAuto, "lblAuto", &pixField);
        lblAuto.setCaption("Hello");
        lblAuto.setAutoSize(true);
        add(vsbSpin, "vsbSpin", &pixField);
        add(txtName, "txtName", &pixField);
        for (std::size_t i = 0; i < shpDot.size(); ++i) {
            add(shpDot[i], indexed("shpDot", i), &pixField);
        }
        add(tmrHold, "tmrHold");
        tmrHold.setWake(Timer::Wake::WhenWindowResized);
        tmrHold.setEnabled(true);
        tmrHold.onTimer = [this] { setClientSize(4000, 3000); };
        setClientSize(4000, 3000);
    }

    Surface pixField;
    OptionButton optA, optB, optOutside;
    Label lblAuto;
    ScrollBar vsbSpin;
    TextBox txtName;
    std::array<Shape, 2> shpDot;
    Timer tmrHold;
};

class Controls : public ::testing::Test {
  protected:
    testing::RecordingHost host;
    SampleWindow window{host};
};

TEST_F(Controls, TurningAnOptionOnTurnsOffTheOthersInItsContainerOnly) {
    window.optOutside.setValue(true);
    window.optA.setValue(true);
    window.optB.click();
    EXPECT_TRUE(!window.optA.value() && window.optB.value() && window.optOutside.value());
    window.optB.setValue(false);  // off does not turn another on
    EXPECT_FALSE(window.optA.value());
}

TEST_F(Controls, AClickRunsTheHandlerAfterTheButtonIsOn) {
    bool wasOn = false;
    window.optA.onClick = [&] { wasOn = window.optA.value(); };
    window.optA.click();
    EXPECT_TRUE(wasOn);
}

TEST_F(Controls, AScrollBarHandlerThatSetsTheValueAgainRunsNested) {
    std::vector<int> seen;
    window.vsbSpin.onChange = [&] {
        seen.push_back(window.vsbSpin.value());
        if (window.vsbSpin.value() > 5) {
            window.vsbSpin.setValue(5);
        }
    };
    window.vsbSpin.setValue(6);
    EXPECT_EQ(seen, (std::vector<int>{6, 5}));
    window.vsbSpin.setValue(5);  // unchanged: no event
    EXPECT_EQ(seen.size(), 2u);
    window.vsbSpin.setValue(-3);  // the range is 0..32767
    EXPECT_EQ(window.vsbSpin.value(), 0);
}

TEST_F(Controls, AnAutoSizedLabelTakesItsCaptionsExtentAtOnce) {
    EXPECT_EQ(window.lblAuto.width(), 400);
    window.lblAuto.setFont({"MS Sans Serif", 13.5, true});
    window.lblAuto.setCaption("Game over!");
    EXPECT_DOUBLE_EQ(window.lblAuto.width(), 10 * 13.5 * 11);
    EXPECT_EQ(window.lblAuto.height(), 329);
}

// A box for the files' code page shows what a file keeps: the characters it
// has no byte for are dropped, the rest stays in order.
TEST_F(Controls, ATextBoxDropsLineBreaksRejectedCharactersAndThoseOutsideItsSet) {
    TextBox& box = window.txtName;
    box.setRejectedCharacters("\"");
    box.setText("Say \"hi\"\r\nthere");
    EXPECT_EQ(box.text(), "Say hithere");

    // "Łukasz", an emoji, "e" with a combining accent, "é ß €" (U+00E9,
    // U+00DF, U+20AC)
    const std::string typed =
        "\xC5\x81ukasz \xF0\x9F\x98\x80 e\xCC\x81 \xC3\xA9 \xC3\x9F \xE2\x82\xAC";
    box.setText(typed);
    EXPECT_EQ(box.text(), typed) << "any character by default";
    box.setCharacterSet(CharacterSet::Windows1252);
    EXPECT_EQ(box.text(), "ukasz  e \xC3\xA9 \xC3\x9F \xE2\x82\xAC") << "dropped at once";
    box.setText("\xC3\x9F\xC3");  // cut off
    EXPECT_EQ(box.text(), "\xC3\x9F");
    EXPECT_TRUE(box.accepts(U'\u20AC') && box.accepts(U'?'));
    EXPECT_FALSE(box.accepts(U'\u0141') || box.accepts(U'"') || box.accepts(U'\n'));
}

TEST_F(Controls, ControlsKnowTheirNamesContainersAndFocusOrder) {
    EXPECT_EQ(window.shpDot[1].name(), "shpDot(1)");
    EXPECT_TRUE(window.optA.container() == &window.pixField && !window.optOutside.container());
    EXPECT_LT(window.pixField.tabIndex(), window.txtName.tabIndex());
    EXPECT_EQ(window.pixField.scaleWidth(), 2940);
}

TEST_F(Controls, AResizeByTheUserRunsTheTimersThatWakeOnIt) {
    window.resizedByUser(5000, 3500);
    EXPECT_EQ(window.clientWidth(), 4000);
    window.tmrHold.setEnabled(false);
    window.resizedByUser(5000, 3500);
    EXPECT_EQ(window.outerWidth(), 5000);
}

TEST_F(Controls, EndingTheProgramIsRemembered) {
    window.setProgramTitle("Sample 1.0");
    window.showMessage("Hi");
    window.endProgram();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].title, "Sample 1.0");
    EXPECT_TRUE(window.ended());
}

}  // namespace
}  // namespace tilebash::ui
