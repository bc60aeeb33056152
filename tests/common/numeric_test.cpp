// SPDX-FileCopyrightText: 2026 The Tilebash team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/numeric.h"

#include <gtest/gtest.h>

#include "common/runtime_error.h"

namespace tilebash {
namespace {

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbourOtherFractionsToTheNearest) {
    const std::pair<double, double> cases[] = {
        {0.5, 0},     {1.5, 2},    {2.5, 2},       {3.5, 4},       {-0.5, 0},
        {-1.5, -2},   {-2.5, -2},  {3037.5, 3038}, {2847.5, 2848}, {600.5, 600},
        {601.5, 602}, {2.4999, 2}, {2.5001, 3},    {-2.6, -3},     {7, 7},
    };
    for (auto [value, expected] : cases) {
        EXPECT_EQ(roundHalfEven(value), expected) << value;
    }
}

TEST(CheckedConversion, RoundsFirstAndAcceptsTheWholeRange) {
    EXPECT_EQ(toInt16(32767.4), 32767);
    EXPECT_EQ(toInt16(-32768.5), -32768);  // even neighbour lies inside
    EXPECT_EQ(toByte(254.5), 254);
    EXPECT_EQ(toInt32(-2147483648.0), -2147483647 - 1);
}

TEST(CheckedConversion, AValueOutsideTheTypeIsAnOverflowNamingIt) {
    EXPECT_THROW(toInt16(32767.5), RuntimeError);  // rounds to 32768
    EXPECT_THROW(toInt16(-32769), RuntimeError);
    EXPECT_THROW(toByte(-1), RuntimeError);
    EXPECT_THROW(toByte(255.5), RuntimeError);  // rounds to 256
    EXPECT_THROW(toInt32(2147483648.0), RuntimeError);
    EXPECT_THROW(toInt16(std::numeric_limits<double>::quiet_NaN()), RuntimeError);
    try {
        toInt16(40000, "brick 5 Left");
        FAIL();
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), 6);
        EXPECT_STREQ(error.what(), "Run-time error '6': Overflow (brick 5 Left 40000)");
    }
}

TEST(CheckedConversion, AValueBeyondEveryIntegerIsAnOverflowNamingItsRange) {
    for (auto [value, text] : {std::pair{1e300, "out of range"},
                               {-9.3e18, "out of range"},
                               {std::numeric_limits<double>::infinity(), "infinite"}}) {
        try {
            toInt32(value, "score");
            FAIL() << value;
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.subject(), std::string("score ") + text);
        }
    }
}

TEST(DecimalText, IsPlainDigitsWithAMinusForNegatives) {
    EXPECT_EQ(decimalText(0), "0");
    EXPECT_EQ(decimalText(4200), "4200");
    EXPECT_EQ(decimalText(-17), "-17");
}

TEST(Saturating, StopsAtTheLimitsOfTheType) {
    EXPECT_EQ(saturatingAdd<std::int16_t>(32760, 40), 32767);
    EXPECT_EQ(saturatingAdd<std::int16_t>(-32760, -40), -32768);
    EXPECT_EQ(saturatingAdd<std::int32_t>(5, 100), 105);
    EXPECT_EQ(saturatingMultiply<std::int32_t>(1'000'000'000, 4), 2147483647);
    EXPECT_EQ(saturatingMultiply<std::int32_t>(-1'000'000'000, 4), -2147483647 - 1);
}

}  // namespace
}  // namespace tilebash
