// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "options_file.h"

#include "line_record_file.h"

namespace tilebash {

Options readOptionsFile(const std::filesystem::path& path) {
    LineRecordReader reader(path);
    Options options;
    for (std::size_t row = 0; row < kHighScoreRows; ++row) {
        options.highScores[row] = reader.readInt32();
        options.highScoreNames[row] = reader.readString();
    }
    options.ballColor = reader.readByte();
    options.paddleColor = reader.readByte();
    options.brickColor = reader.readByte();
    options.difficulty = reader.readByte();
    return options;
}

void writeOptionsFile(const std::filesystem::path& path, const Options& options) {
    LineRecordWriter writer;
    for (std::size_t row = 0; row < kHighScoreRows; ++row) {
        writer.writeInteger(options.highScores[row]);
        writer.writeText(options.highScoreNames[row]);
    }
    writer.writeInteger(options.ballColor);
    writer.writeInteger(options.paddleColor);
    writer.writeInteger(options.brickColor);
    writer.writeInteger(options.difficulty);
    writer.commit(path);
}

}  // namespace tilebash
