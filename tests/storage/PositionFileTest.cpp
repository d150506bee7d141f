#include "PositionFile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <limits>

#include "TestFiles.h"

namespace zintu {
namespace {

using test::Bytes;

SavedPosition SamplePosition() {
    SavedPosition position;
    position.Board[2 + 9 * 1] = 7;
    position.Board[80] = 1;
    position.Score = 350;
    position.NextColors = {0, 3, 5, 6};
    position.RandomSeed = 0.5f;
    position.DrawCount = 0x01020304;
    return position;
}

Bytes Encoded(const SavedPosition& position) {
    const auto bytes = EncodePosition(position);
    return {bytes.begin(), bytes.end()};
}

Bytes At(const Bytes& bytes, std::size_t offset, std::size_t count) {
    return {bytes.begin() + offset, bytes.begin() + offset + count};
}

TEST(PositionFormat, FieldsSitAtFixedOffsets) {
    const Bytes bytes = Encoded(SamplePosition());
    ASSERT_EQ(bytes.size(), 193u);
    EXPECT_EQ(At(bytes, 0, 9), (Bytes{'Z', 'i', 'n', 't', 'u', ' ', '3', '.', '1'}));
    EXPECT_EQ(At(bytes, 9 + 2 * 11, 2), (Bytes{0x07, 0x00}));
    EXPECT_EQ(At(bytes, 9 + 2 * 80, 2), (Bytes{0x01, 0x00}));
    EXPECT_EQ(At(bytes, 171, 4), (Bytes{0x5E, 0x01, 0x00, 0x00}));
    EXPECT_EQ(At(bytes, 175, 8), (Bytes{0, 0, 3, 0, 5, 0, 6, 0}));
    EXPECT_EQ(At(bytes, 183, 2), (Bytes{0x04, 0x00}));
    EXPECT_EQ(At(bytes, 185, 4), (Bytes{0x00, 0x00, 0x00, 0x3F}));
    EXPECT_EQ(At(bytes, 189, 4), (Bytes{0x04, 0x03, 0x02, 0x01}));
}

TEST(PositionFormat, RejectsEverythingASaveCannotProduce) {
    const Bytes valid = Encoded(SamplePosition());
    ASSERT_TRUE(DecodePosition(valid));

    const auto withBytes = [&](std::size_t offset, const Bytes& patch) {
        Bytes changed = valid;
        std::copy(patch.begin(), patch.end(), changed.begin() + offset);
        return changed;
    };
    const auto withSeed = [&](float seed) {
        SavedPosition position = SamplePosition();
        position.RandomSeed = seed;
        return Encoded(position);
    };
    Bytes longer = valid;
    longer.push_back(0);
    const std::vector<std::pair<const char*, Bytes>> rejected = {
        {"192 bytes", Bytes(valid.begin(), valid.end() - 1)},
        {"194 bytes", longer},
        {"header case", withBytes(0, {'z'})},
        {"version", withBytes(8, {'0'})},
        {"board colour 8", withBytes(9 + 2 * 40, {0x08, 0x00})},
        {"board colour -1", withBytes(9, {0xFF, 0xFF})},
        {"next colour 8", withBytes(177, {0x08, 0x00})},
        {"next colour -1", withBytes(175, {0xFF, 0xFF})},
        {"next colour 0", withBytes(177, {0x00, 0x00})},
        {"tag 3", withBytes(183, {0x03})},
        {"draw count -1", withBytes(189, {0xFF, 0xFF, 0xFF, 0xFF})},
        {"seed NaN", withSeed(std::numeric_limits<float>::quiet_NaN())},
        {"seed inf", withSeed(std::numeric_limits<float>::infinity())},
        {"seed -0.5", withSeed(-0.5f)},
        {"seed 1.0", withSeed(1.0f)},
    };
    for (const auto& [what, bytes] : rejected) {
        EXPECT_FALSE(DecodePosition(bytes)) << what;
    }
}

TEST(PositionFile, ReadsBackWhatWasSavedOverALongerFile) {
    test::TempFolder folder;
    const auto file = folder / "game.poz";
    test::WriteBytes(file, Bytes(1000, 0x11));
    ASSERT_TRUE(WritePositionFile(file, SamplePosition()));
    EXPECT_EQ(std::filesystem::file_size(file), 193u);
    EXPECT_EQ(ReadPositionFile(file), SamplePosition());
    EXPECT_FALSE(ReadPositionFile(folder / "absent.poz"));
}

void ExpectOnlyEntry(const std::filesystem::path& folder, const std::filesystem::path& entry) {
    std::vector<std::filesystem::path> entries;
    for (const auto& item : std::filesystem::directory_iterator(folder)) {
        entries.push_back(item.path());
    }
    EXPECT_EQ(entries, std::vector{entry});
}

TEST(PositionFile, FailedSaveLeavesTheTargetAndNoTemporary) {
    test::TempFolder folder;
    const auto target = folder / "game.poz";
    std::filesystem::create_directory(target);
    test::WriteBytes(target / "keep", {1, 2, 3});

    EXPECT_FALSE(WritePositionFile(target, SamplePosition()));
    EXPECT_EQ(test::ReadBytes(target / "keep"), (Bytes{1, 2, 3}));
    ExpectOnlyEntry(folder.Path(), target);
}

TEST(PositionFile, ReadOnlyTargetStaysAndAWritableOneKeepsItsPermissions) {
    namespace fs = std::filesystem;
    test::TempFolder folder;
    const auto target = folder / "game.poz";
    const Bytes old(193, 0x22);
    test::WriteBytes(target, old);
    fs::permissions(target, fs::perms::owner_read | fs::perms::group_read);
    const fs::perms readOnly = fs::status(target).permissions();
    EXPECT_FALSE(WritePositionFile(target, SamplePosition()));
    EXPECT_EQ(test::ReadBytes(target), old);
    EXPECT_EQ(fs::status(target).permissions(), readOnly);

    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
    const fs::perms writable = fs::status(target).permissions();
    ASSERT_TRUE(WritePositionFile(target, SamplePosition()));
    EXPECT_EQ(fs::status(target).permissions(), writable);
    ExpectOnlyEntry(folder.Path(), target);
}

TEST(PositionFile, SaveRemovesWhatKilledSavesLeft) {
    test::TempFolder folder;
    const auto target = folder / "game.poz";
    const auto ownLeftover = folder / ".game.poz.1f2e3d4c5b6a7980.tmp";
    const auto oldLeftover = folder / ".other.poz.0a1b.tmp";
    const auto otherSaveRunning = folder / ".other.poz.0a1c.tmp";
    for (const auto& file : {ownLeftover, oldLeftover, otherSaveRunning}) {
        test::WriteBytes(file, {1});
    }
    std::filesystem::last_write_time(
        oldLeftover, std::filesystem::file_time_type::clock::now() - std::chrono::minutes(2));

    ASSERT_TRUE(WritePositionFile(target, SamplePosition()));
    EXPECT_FALSE(std::filesystem::exists(ownLeftover));
    EXPECT_FALSE(std::filesystem::exists(oldLeftover));
    EXPECT_TRUE(std::filesystem::exists(otherSaveRunning));
}

}  // namespace
}  // namespace zintu
