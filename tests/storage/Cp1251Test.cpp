#include "Cp1251.h"

#include <gtest/gtest.h>

namespace zintu {
namespace {

TEST(Cp1251, EveryAssignedByteSurvivesTheRoundTrip) {
    for (int byte = 0; byte < 256; ++byte) {
        if (byte == 0x98) {
            continue;
        }
        const std::string original(1, static_cast<char>(byte));
        const std::u32string text = DecodeCp1251(original);
        ASSERT_EQ(text.size(), 1u);
        EXPECT_NE(text[0], U'\uFFFD') << byte;
        EXPECT_EQ(EncodeCp1251(text), original) << byte;
    }
}

TEST(Cp1251, UnassignedByteIsNeverWritten) {
    EXPECT_EQ(DecodeCp1251("\x98"), U"\uFFFD");
    EXPECT_EQ(EncodeCp1251(U"\uFFFD"), "?");
}

TEST(Cp1251, CyrillicNamesUseTheCodePageBytes) {
    EXPECT_EQ(EncodeCp1251(U"Иван"), "\xC8\xE2\xE0\xED");
    EXPECT_EQ(EncodeCp1251(U"Ёлка ёж"), "\xA8\xEB\xEA\xE0 \xB8\xE6");
    EXPECT_EQ(EncodeCp1251(U"Ђ№я"), "\x80\xB9\xFF");
    EXPECT_EQ(DecodeCp1251("\xCF\xE5\xF2\xF0 1"), U"Петр 1");
}

TEST(Cp1251, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(EncodeCp1251(U"Zoë 中😀"), "Zo? ??");
}

}  // namespace
}  // namespace zintu
