#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

#include "GuiTestSupport.h"
#include "OleDate.h"
#include "ScoreFormat.h"

namespace zintu {
namespace {

TEST(ScoreFormat, PointsInGroupsOfThreeDigits) {
    EXPECT_EQ(FormatPoints(0), "0");
    EXPECT_EQ(FormatPoints(42), "42");
    EXPECT_EQ(FormatPoints(999), "999");
    EXPECT_EQ(FormatPoints(1000), "1 000");
    EXPECT_EQ(FormatPoints(100000), "100 000");
    EXPECT_EQ(FormatPoints(1234567), "1 234 567");
    EXPECT_EQ(FormatPoints(-5), "-5");
    EXPECT_EQ(FormatPoints(-1234), "-1 234");
    EXPECT_EQ(FormatPoints(std::numeric_limits<std::int32_t>::min()), "-2 147 483 648");
}

TEST(ScoreFormat, DateAsDayMonthYear) {
    EXPECT_EQ(FormatScoreDate(OleDateFromCivil({2001, 3, 1})), "01.03.2001");
    EXPECT_EQ(FormatScoreDate(OleDateFromCivil({2000, 11, 22})), "22.11.2000");
    EXPECT_EQ(FormatScoreDate(OleDateFromCivil({2024, 12, 31}) + 0.99), "31.12.2024");
    EXPECT_EQ(FormatScoreDate(OleDateFromCivil({987, 6, 5})), "05.06.0987");
}

}  // namespace
}  // namespace zintu
