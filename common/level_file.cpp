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

Level readLevelFile(const std::filesystem::path& path) {
    LineRecordReader reader(path);
    Level level;
    for (std::size_t i = 0; i < level.brickX.size(); ++i) {
        level.brickX[i] = reader.readInt16();
        level.brickY[i] = reader.readInt16();
    }
    return level;
}

void writeLevelFile(const std::filesystem::path& path, const Level& level) {
    LineRecordWriter writer;
    for (std::size_t i = 0; i < level.brickX.size(); ++i) {
        writer.writeInteger(level.brickX[i]);
        writer.writeInteger(level.brickY[i]);
    }
    writer.commit(path);
}

}  // namespace tilebash
