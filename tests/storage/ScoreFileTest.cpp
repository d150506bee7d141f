#include "ScoreFile.h"

#include <gtest/gtest.h>

#include "TestFiles.h"

namespace zintu {
namespace {

using test::Bytes;
using test::Entry;

const OleDateTime kNow{36852.0, 0.5};  // 22 Nov 2000, 12:00

const Bytes kPoints1250 = {0xE2, 0x04, 0x00, 0x00};
const Bytes kDate22Nov2000 = {0x00, 0x00, 0x00, 0x00, 0x80, 0xFE, 0xE1, 0x40};
const Bytes kTimeNoon = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xE0, 0x3F};
const Bytes kTimeSixAm = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xD0, 0x3F};

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

Bytes Slice(const std::array<std::uint8_t, kScoreFileSize>& bytes, int record) {
    const auto* first = bytes.data() + record * kScoreRecordSize;
    return {first, first + kScoreRecordSize};
}

TEST(ScoreFileFormat, RecordsSitAtFixedOffsets) {
    ScoreTable table = BlankTable(kNow);
    table[1] = Entry(U"Иван", 1250, 36852.0, 0.25);
    const auto bytes = EncodeScoreTable(table);

    const Bytes name = Concat({{0xC8, 0xE2, 0xE0, 0xED}, Bytes(14, 0x20)});
    EXPECT_EQ(Slice(bytes, 1), Concat({name, kPoints1250, kDate22Nov2000, kTimeSixAm}));
    const Bytes blank = Concat({Bytes(18, 0x20), Bytes(4, 0x00), kDate22Nov2000, kTimeNoon});
    for (int record : {0, 2, 9}) {
        EXPECT_EQ(Slice(bytes, record), blank) << record;
    }
}

TEST(ScoreFileFormat, PartialRecordsComeOutBlankAndExtraBytesAreIgnored) {
    ScoreTable table = BlankTable({1.0, 0.0});
    for (int i = 0; i < 10; ++i) {
        table[i] = Entry(U"x", 1000 - i);
    }
    const auto whole = EncodeScoreTable(table);
    Bytes longer(whole.begin(), whole.end());
    longer.resize(500, 0xFF);
    EXPECT_EQ(DecodeScoreTable(longer, kNow), table);

    const ScoreTable shorter = DecodeScoreTable(std::span(whole).first(2 * 38 + 37), kNow);
    EXPECT_EQ(shorter[1], table[1]);
    for (int i = 2; i < 10; ++i) {
        EXPECT_EQ(shorter[i], BlankRecord(kNow)) << i;
    }
    EXPECT_EQ(DecodeScoreTable({}, kNow), BlankTable(kNow));
}

TEST(ScoreFileIo, MissingFileIsCreatedBlank) {
    test::TempFolder folder;
    EXPECT_EQ(ReadScoreFile(folder / "Zintu.scr", kNow), BlankTable(kNow));
    const auto blank = EncodeScoreTable(BlankTable(kNow));
    EXPECT_EQ(test::ReadBytes(folder / "Zintu.scr"), Bytes(blank.begin(), blank.end()));
}

TEST(ScoreFileIo, WriteReplacesTheFirst380BytesAndKeepsTheTail) {
    test::TempFolder folder;
    const auto file = folder / "Zintu.scr";
    test::WriteBytes(file, Bytes(500, 0xAB));
    ScoreTable table = BlankTable(kNow);
    table[0] = Entry(U"Мария", 2147483647, 45000.0, 0.999988);
    table[3] = Entry(U"  Bob", -12, 1.0, 0.0);

    ASSERT_TRUE(WriteScoreFile(file, table));
    const Bytes written = test::ReadBytes(file);
    ASSERT_EQ(written.size(), 500u);
    EXPECT_EQ(Bytes(written.begin() + 380, written.end()), Bytes(120, 0xAB));
    EXPECT_EQ(ReadScoreFile(file, {}), table);
}

TEST(ScoreFileIo, FailuresAreReportedNotThrown) {
    test::TempFolder folder;
    std::filesystem::create_directory(folder / "Zintu.scr");
    EXPECT_FALSE(WriteScoreFile(folder / "Zintu.scr", BlankTable(kNow)));
    EXPECT_EQ(ReadScoreFile(folder / "Zintu.scr", kNow), BlankTable(kNow));
    EXPECT_FALSE(WriteScoreFile(folder / "absent" / "Zintu.scr", BlankTable(kNow)));
}

}  // namespace
}  // namespace zintu
