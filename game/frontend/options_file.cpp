// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

// options.wkp: the ten table rows (score, then name), the ball, paddle and
// brick colours, and the difficulty. 24 line records, nothing else.
#include "common/line_record_file.h"
#include "game/frm_tilebash.h"

namespace tilebash {

namespace {

const char* const kOptionsFile = "options.wkp";

}  // namespace

// Nothing is checked or sorted: a colour above 15 is only refused when it
// is painted, and the table is used in the order it was stored.
void FrmTilebash::subReadOptions() {
    LineRecordReader reader(kOptionsFile);
    for (std::size_t row = 0; row < kHighScoreRows; ++row) {
        // 32-bit, so both older 16-bit files and big scores read unchanged.
        intHighScore[row] = reader.readInt32();
        strHighScoreName[row] = reader.readString();
    }
    bytBallColor = reader.readByte();
    bytPaddleColor = reader.readByte();
    bytBrickColor = reader.readByte();
    bytDifficulty = reader.readByte();
}

// Always all 24 records. A name that would not read back as typed (a comma,
// blanks at either end) is written between double quotes; the name box
// refuses the quote itself. The file is replaced in one step, so a failed
// write leaves the previous one whole.
void FrmTilebash::subSaveOptions() {
    LineRecordWriter writer;
    for (std::size_t row = 0; row < kHighScoreRows; ++row) {
        writer.writeInteger(intHighScore[row]);
        writer.writeText(strHighScoreName[row]);
    }
    writer.writeInteger(bytBallColor);
    writer.writeInteger(bytPaddleColor);
    writer.writeInteger(bytBrickColor);
    writer.writeInteger(bytDifficulty);
    writer.commit(kOptionsFile);
}

}  // namespace tilebash
