// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

// Whatever a file holds, reading it either succeeds or raises a run-time
// error; it never crashes, hangs or reads outside its content. Run under the
// sanitizers by ./test.
#include <gtest/gtest.h>

#include <random>

#include "common/line_record_file.h"
#include "common/runtime_error.h"

namespace tilebash {
namespace {

// Bytes drawn mostly from what the format gives meaning to, so that many
// inputs get deep into the reader before they go wrong.
std::string randomContent(std::mt19937& random) {
    static const std::string alphabet = " \t\r\n,\"-+.0123456789xé\xFF";
    std::uniform_int_distribution<std::size_t> length(0, 200);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::string content(length(random), ' ');
    for (char& c : content) {
        c = alphabet[pick(random)];
    }
    return content;
}

TEST(MalformedInput, ArbitraryBytesGiveValuesOrRunTimeErrorsOnly) {
    std::mt19937 random(20261207);
    for (int round = 0; round < 3000; ++round) {
        LineRecordReader reader("random.wkp", randomContent(random));
        try {
            for (int record = 0; record < 12; ++record) {
                reader.readInt32();
                reader.readString();
                reader.readByte();
                reader.readInt16();
            }
        } catch (const RuntimeError& error) {
            EXPECT_TRUE(error.number() == 6 || error.number() == 13 || error.number() == 62)
                << error.what();
        }
    }
}

}  // namespace
}  // namespace tilebash
