// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "level_file.h"

#include <cassert>

#include "line_record_file.h"

namespace tilebash {

std::string levelFileName(std::uint8_t level) {
    assert(level >= 1 && level <= kLevelCount);
    return "level" + std::to_string(level) + ".wkl";
}

void loadLevelFile(const std::filesystem::path& path, BrickCoordinates& intBrickX,
                   BrickCoordinates& intBrickY) {
    LineRecordReader reader(path);
    BrickCoordinates x{};
    BrickCoordinates y{};
    for (std::size_t i = 0; i < x.size(); ++i) {
        x[i] = reader.readInt16();
        y[i] = reader.readInt16();
    }
    intBrickX = x;
    intBrickY = y;
}

void saveLevelFile(const std::filesystem::path& path, const BrickCoordinates& intBrickX,
                   const BrickCoordinates& intBrickY) {
    LineRecordWriter writer;
    for (std::size_t i = 0; i < intBrickX.size(); ++i) {
        writer.writeInteger(intBrickX[i]);
        writer.writeInteger(intBrickY[i]);
    }
    writer.commit(path);
}

}  // namespace tilebash
