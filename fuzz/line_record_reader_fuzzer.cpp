// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

// The line-record reader on arbitrary bytes: every way of reading a file
// (numbers of each width, strings, the options file's mix) either gives
// values or raises one of the reading errors, and always moves on, so a
// file of n bytes is done after at most n + 1 reads. Also the writer's
// promise: what it writes reads back unchanged.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/line_record_file.h"
#include "common/windows1252.h"
#include "fuzz_support.h"

namespace tilebash::fuzz {
namespace {

enum class Plan { Int16s, Bytes, Int32s, Strings, ScoreAndName };

void readAll(const std::string& content, Plan plan) {
    LineRecordReader reader("fuzz.wkp", content);
    std::size_t reads = 0;
    try {
        for (;; ++reads) {
            if (reads > content.size() + 1) {
                finding("the reader does not move on");
            }
            switch (plan) {
                case Plan::Int16s:
                    reader.readInt16();
                    break;
                case Plan::Bytes:
                    reader.readByte();
                    break;
                case Plan::Int32s:
                    reader.readInt32();
                    break;
                case Plan::Strings:
                    reader.readString();
                    break;
                case Plan::ScoreAndName:
                    if (reads % 2 == 0) {
                        reader.readInt32();
                    } else {
                        reader.readString();
                    }
                    break;
            }
        }
    } catch (const RuntimeError& error) {
        expectReadingError(error);
    }
}

// A text the files can carry: one line, and every character in the code page.
bool fitsOneRecord(const std::string& text) {
    return text.find_first_of("\r\n") == std::string::npos &&
           utf8FromWindows1252(windows1252FromUtf8(text)) == text;
}

void writeAndReadBack(const std::string& content) {
    std::int16_t number = 0;
    if (content.size() >= 2) {
        number = static_cast<std::int16_t>((static_cast<unsigned char>(content[0]) << 8) |
                                           static_cast<unsigned char>(content[1]));
    }
    LineRecordWriter writer;
    writer.writeInteger(number);
    const bool carriesText = fitsOneRecord(content) && content.find('"') == std::string::npos;
    if (carriesText) {
        writer.writeText(content);
    }
    writer.writeInteger(-1);

    LineRecordReader reader("written.wkp", writer.bytes());
    if (reader.readInt16() != number) {
        finding("an integer does not read back");
    }
    if (carriesText && reader.readString() != content) {
        finding("a text does not read back");
    }
    if (reader.readInt16() != -1) {
        finding("the record after a text does not read back");
    }
}

}  // namespace
}  // namespace tilebash::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tilebash::fuzz;
    const std::string content(reinterpret_cast<const char*>(data), size);
    for (Plan plan : {Plan::Int16s, Plan::Bytes, Plan::Int32s, Plan::Strings, Plan::ScoreAndName}) {
        readAll(content, plan);
    }
    writeAndReadBack(content);
    return 0;
}
