// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <utility>

#include "common/level_file.h"
#include "editor/frm_tilebash_level_editor.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"
#include "ui/key_codes.h"

namespace tilebash::testing {

struct Place {
    double left;
    double top;
    friend bool operator==(const Place&, const Place&) = default;
};

inline void PrintTo(const Place& place, std::ostream* out) {
    *out << "(" << place.left << ", " << place.top << ")";
}

// An editor in a fresh working folder that holds copies of the shipped levels.
class EditorTest : public ::testing::Test {
  protected:
    EditorTest() {
        for (std::uint8_t level = 1; level <= kLevelCount; ++level) {
            std::filesystem::copy_file(
                std::filesystem::path(TILEBASH_DATA_DIR) / levelFileName(level),
                dir / levelFileName(level));
        }
    }

    // Writes a level whose bricks stand in a grid in the lower half of the
    // playfield, away from where the tests press, except those in `placed`.
    void writeLevel(std::uint8_t level, const std::map<std::size_t, Place>& placed = {}) {
        BrickCoordinates x{}, y{};
        for (std::size_t i = 0; i < x.size(); ++i) {
            Place place{static_cast<double>(600 + 840 * (i % 7)),
                        static_cast<double>(3000 + 240 * (i / 7))};
            if (auto found = placed.find(i); found != placed.end()) {
                place = found->second;
            }
            x[i] = static_cast<std::int16_t>(place.left);
            y[i] = static_cast<std::int16_t>(place.top);
        }
        writeLevelFile(dir / levelFileName(level), {x, y});
    }

    void enter(const std::string& text) {
        editor.txtLevel.setText(text);
        editor.cmdOK.onClick();
    }
    void press(double x, double y, std::int16_t button = ui::kLeftButton) {
        editor.pixBackground.onMouseDown(button, 0, x, y);
    }
    void moveTo(double x, double y, std::int16_t button = ui::kLeftButton) {
        editor.pixBackground.onMouseMove(button, 0, x, y);
    }
    void release(double x, double y, std::int16_t button = ui::kLeftButton) {
        editor.pixBackground.onMouseUp(button, 0, x, y);
    }
    void drag(Place from, Place to) {
        press(from.left, from.top);
        moveTo(to.left, to.top);
        release(to.left, to.top);
    }

    Place placeOf(std::size_t brick) const {
        return {editor.shpBrick[brick].left(), editor.shpBrick[brick].top()};
    }
    std::vector<Place> allPlaces() const {
        std::vector<Place> places;
        for (std::size_t i = 0; i < editor.shpBrick.size(); ++i) {
            places.push_back(placeOf(i));
        }
        return places;
    }
    std::vector<Place> placesInFile(std::uint8_t level) const {
        const Level read = readLevelFile(dir / levelFileName(level));
        std::vector<Place> places;
        for (std::size_t i = 0; i < read.brickX.size(); ++i) {
            places.push_back(
                {static_cast<double>(read.brickX[i]), static_cast<double>(read.brickY[i])});
        }
        return places;
    }

    TempDir dir;
    WorkingDirectory inside{dir.path()};
    RecordingHost host;
    FrmTilebashLevelEditor editor{host};
};

}  // namespace tilebash::testing
