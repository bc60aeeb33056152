// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include <optional>

#include "editor/level_number.h"
#include "editor_test.h"

namespace tilebash::testing {
namespace {

using LevelNumber = EditorTest;

// Every entry is read, rounded halves to even, and accepted only as 1..5. The
// number is checked on its own too, for what the box never holds (line
// feeds).
TEST_F(LevelNumber, AcceptsOnlyEntriesThatRoundIntoOneToFive) {
    const std::vector<std::pair<std::string, std::optional<int>>> entries = {
        {"3", 3},
        {"  4 \t", 4},
        {"\n3", 3},
        {"1\n2", {}},
        {"4abc", 4},
        {"2.5", 2},
        {"3.5", 4},
        {"", {}},
        {"abc", {}},
        {"0", {}},
        {"6", {}},
        {"-1", {}},
        {"300", {}},
        {"5.5", {}},
        {"0.5", {}},
        {"1 2", {}},
        {"+5", 5},
        {"4.50001", 5},
        {"4.", 4},
        {".9", {}},
        {"- 1", {}},
        {"0.51", 1},
        {"99999999999999999999999", {}},
        {"2.50000000000000001", 3},
    };
    for (const auto& [text, level] : entries) {
        SCOPED_TRACE("entry \"" + text + "\"");
        const std::int64_t number = wholeNumberOfEntry(text);
        EXPECT_EQ(number >= 1 && number <= 5 ? std::optional<int>(number) : std::nullopt, level);
        RecordingHost freshHost;
        FrmTilebashLevelEditor fresh(freshHost);
        fresh.txtLevel.setText(text);
        fresh.cmdOK.onClick();

        EXPECT_EQ(fresh.txtLevel.text(), "");
        if (level) {
            EXPECT_EQ(fresh.bytLevel, *level);
            EXPECT_TRUE(fresh.cmdSave.visible());
            EXPECT_TRUE(freshHost.messages.empty());
        } else {
            EXPECT_EQ(fresh.bytLevel, 0);
            EXPECT_TRUE(fresh.txtLevel.visible());
            ASSERT_EQ(freshHost.messages.size(), 1u);
            EXPECT_EQ(freshHost.messages[0].text, "Pleas chose a level betwen 1 and 5");
            EXPECT_EQ(freshHost.messages[0].title, "Tilebash Level Editor 1.0");
        }
    }
}

}  // namespace
}  // namespace tilebash::testing
