#include "ScoreBook.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "FileLock.h"
#include "ScoreFile.h"
#include "ScoreMerge.h"
#include "TestFiles.h"

namespace zintu {
namespace {

using test::Entry;

const OleDateTime kNow{36852.0, 0.5};

ScoreTable Table(std::initializer_list<ScoreRecord> entries) {
    ScoreTable table = BlankTable(kNow);
    std::copy(entries.begin(), entries.end(), table.begin());
    return table;
}

std::vector<std::int32_t> Points(const ScoreTable& table) {
    std::vector<std::int32_t> points;
    for (const ScoreRecord& r : table) {
        points.push_back(r.Points);
    }
    return points;
}

class ScoreBook : public ::testing::Test {
  protected:
    ScoreBook() {
        std::filesystem::create_directories(files_.AppFolder);
        std::filesystem::create_directories(SharedDir());
    }
    std::filesystem::path SharedDir() const { return folder_ / "shared"; }
    std::filesystem::path LocalFile() const { return files_.AppFolder / "Zintu.scr"; }
    std::filesystem::path SharedFile() const { return SharedDir() / "Zintu.scr"; }
    void NameSharedFolder(const std::filesystem::path& dir) const {
        const std::string line = dir.string() + "\r\n";
        test::WriteBytes(files_.SettingsFile, {line.begin(), line.end()});
    }
    ScoreTable OnDisk(const std::filesystem::path& file) const { return ReadScoreFile(file, {}); }

    test::TempFolder folder_;
    ScoreFiles files_{folder_ / "app", folder_ / "Zintu.ini"};
};

TEST_F(ScoreBook, WithoutSettingsTheLocalFileIsCreatedAndUsedAlone) {
    LoadedScores loaded = LoadScoreTable(files_, kNow);
    EXPECT_EQ(loaded.Table, BlankTable(kNow));
    EXPECT_TRUE(loaded.SharedScoreDir.empty());
    EXPECT_EQ(std::filesystem::file_size(LocalFile()), 380u);

    WriteScoreFile(LocalFile(), Table({Entry(U"Ann", 1250)}));
    loaded = LoadScoreTable(files_, kNow);
    EXPECT_EQ(loaded.Table, Table({Entry(U"Ann", 1250)}));
}

TEST_F(ScoreBook, BlankSharedCopyIsNeitherMergedNorWritten) {
    NameSharedFolder(SharedDir());
    WriteScoreFile(SharedFile(), BlankTable(kNow));
    WriteScoreFile(LocalFile(), Table({Entry(U"Ann", 400)}));
    LoadedScores loaded = LoadScoreTable(files_, kNow);
    EXPECT_TRUE(loaded.SharedScoreDir.empty());

    loaded = StoreRecord(files_, Entry(U"Bob", 500), kNow);
    EXPECT_TRUE(loaded.SharedScoreDir.empty());
    EXPECT_EQ(OnDisk(LocalFile()), Table({Entry(U"Bob", 500), Entry(U"Ann", 400)}));
    EXPECT_EQ(OnDisk(SharedFile()), BlankTable(kNow));
}

TEST_F(ScoreBook, MissingSharedCopyStartsWithTheFirstScore) {
    NameSharedFolder(SharedDir());
    EXPECT_EQ(LoadScoreTable(files_, kNow).SharedScoreDir, SharedDir() / "");
    EXPECT_FALSE(std::filesystem::exists(SharedFile())) << "a blank copy would block the table";

    StoreRecord(files_, Entry(U"Bob", 500), kNow);
    EXPECT_EQ(OnDisk(SharedFile()), Table({Entry(U"Bob", 500)}));

    std::filesystem::remove(SharedFile());
    LoadScoreTable(files_, kNow);
    EXPECT_EQ(OnDisk(SharedFile()), Table({Entry(U"Bob", 500)}));
}

TEST_F(ScoreBook, HeldLockKeepsTheSharedCopyUnwrittenWithoutHanging) {
    NameSharedFolder(SharedDir());
    const ScoreTable shared = Table({Entry(U"Ann", 900)});
    WriteScoreFile(SharedFile(), shared);
    const auto held = FileLock::Acquire(SharedDir() / kScoreLockFileName);
    ASSERT_TRUE(held);

    const auto start = std::chrono::steady_clock::now();
    const LoadedScores stored = StoreRecord(files_, Entry(U"Bob", 500), kNow);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_TRUE(stored.SharedScoreDir.empty());
    EXPECT_EQ(OnDisk(LocalFile()), Table({Entry(U"Ann", 900), Entry(U"Bob", 500)}));
    EXPECT_EQ(OnDisk(SharedFile()), shared);
}

TEST_F(ScoreBook, IdenticalEntriesCountOnceAndBothFilesAgree) {
    NameSharedFolder(SharedDir());
    const ScoreRecord both = Entry(U"Same", 300, 40000.0, 0.25);
    WriteScoreFile(SharedFile(), Table({Entry(U"Ann", 500), both}));
    WriteScoreFile(LocalFile(), Table({Entry(U"Bob", 400), both}));

    const LoadedScores loaded = LoadScoreTable(files_, kNow);
    EXPECT_EQ(loaded.Table, Table({Entry(U"Ann", 500), Entry(U"Bob", 400), both}));
    EXPECT_EQ(loaded.SharedScoreDir, SharedDir() / "");
    EXPECT_EQ(test::ReadBytes(SharedFile()), test::ReadBytes(LocalFile()));
    EXPECT_EQ(OnDisk(LocalFile()), loaded.Table);
}

TEST_F(ScoreBook, NewInstallationJoinsTheSharedTable) {
    NameSharedFolder(SharedDir());
    const ScoreTable shared = Table({Entry(U"Ann", 900), Entry(U"Bob", 20)});
    WriteScoreFile(SharedFile(), shared);
    EXPECT_EQ(LoadScoreTable(files_, kNow).Table, shared);
    EXPECT_EQ(OnDisk(LocalFile()), shared);
}

TEST_F(ScoreBook, OwnFolderAsSharedFolderChangesNothing) {
    NameSharedFolder(files_.AppFolder);
    const ScoreTable local = Table({Entry(U"Ann", 900), Entry(U"Bob", 800), Entry(U"Cy", 800)});
    WriteScoreFile(LocalFile(), local);
    EXPECT_EQ(LoadScoreTable(files_, kNow).Table, local);
}

TEST_F(ScoreBook, RecordStoredElsewhereMeanwhileIsNotLost) {
    NameSharedFolder(SharedDir());
    WriteScoreFile(SharedFile(), Table({Entry(U"Ann", 500)}));
    const LoadedScores before = LoadScoreTable(files_, kNow);

    // Another installation stores its record while this player is typing a name.
    ScoreTable other = before.Table;
    InsertRecord(other, 1, Entry(U"Other", 700));
    WriteScoreFile(SharedFile(), other);

    const LoadedScores after = StoreRecord(files_, Entry(U"Me", 600), kNow);
    const ScoreTable expected =
        Table({Entry(U"Other", 700), Entry(U"Me", 600), Entry(U"Ann", 500)});
    EXPECT_EQ(after.Table, expected);
    EXPECT_EQ(OnDisk(SharedFile()), expected);
    EXPECT_EQ(OnDisk(LocalFile()), expected);
}

TEST(ScoreMerge, KeepsTheBestTenOfTwenty) {
    ScoreTable shared;
    ScoreTable local;
    for (int i = 0; i < 10; ++i) {
        shared[i] = Entry(U"S", 1000 - 20 * i);  // 1000, 980, ...
        local[i] = Entry(U"L", 990 - 20 * i);    // 990, 970, ...
    }
    const auto merged = MergeScoreTables(shared, local, kNow);
    ASSERT_TRUE(merged);
    EXPECT_EQ(Points(*merged),
              (std::vector<std::int32_t>{1000, 990, 980, 970, 960, 950, 940, 930, 920, 910}));
}

TEST(ScoreMerge, EqualPointsGoByDateThenTimeThenName) {
    const ScoreTable shared =
        Table({Entry(U"B", 100, 40001.0, 0.1), Entry(U"B", 100, 40000.0, 0.2)});
    const ScoreTable local =
        Table({Entry(U"A", 100, 40000.0, 0.2), Entry(U"C", 100, 40000.0, 0.1)});
    const ScoreTable expected =
        Table({Entry(U"C", 100, 40000.0, 0.1), Entry(U"A", 100, 40000.0, 0.2),
               Entry(U"B", 100, 40000.0, 0.2), Entry(U"B", 100, 40001.0, 0.1)});
    EXPECT_EQ(MergeScoreTables(shared, local, kNow), expected);
}

TEST(ScoreMerge, NegativePointsRankBelowBlanks) {
    const ScoreTable local = Table({Entry(U"Neg", -5)});
    const auto merged = MergeScoreTables(Table({Entry(U"Pos", 1)}), local, kNow);
    ASSERT_TRUE(merged);
    EXPECT_EQ(merged->at(0).Points, 1);
    EXPECT_EQ(merged->at(1).Points, 0);
    EXPECT_FALSE(MergeScoreTables(local, local, kNow));
}

TEST(RecordEntry, RankGoesBelowEqualPoints) {
    const ScoreTable table =
        Table({Entry(U"a", 500), Entry(U"b", 300), Entry(U"c", 300), Entry(U"d", 100)});
    EXPECT_EQ(FindRank(table, 300), 4);
    EXPECT_EQ(FindRank(table, 501), 1);
    EXPECT_EQ(FindRank(table, 1), 5);
    EXPECT_EQ(FindRank(BlankTable(kNow), 0), 0);

    ScoreTable full;
    for (int i = 0; i < 10; ++i) {
        full[i] = Entry(U"x", 1000 - 100 * i);
    }
    EXPECT_EQ(FindRank(full, 150), 10);
    EXPECT_EQ(FindRank(full, 100), 0);
}

TEST(RecordEntry, InsertMovesLowerEntriesDown) {
    ScoreTable table =
        Table({Entry(U"a", 500), Entry(U"b", 300), Entry(U"c", 300), Entry(U"d", 100)});
    InsertRecord(table, 4, Entry(U"new", 300));
    EXPECT_EQ(Points(table), (std::vector<std::int32_t>{500, 300, 300, 300, 100, 0, 0, 0, 0, 0}));
    EXPECT_EQ(table[4].Name, FitName(U"d"));

    const ScoreTable before = table;
    InsertRecord(table, 10, Entry(U"last", 1));
    EXPECT_TRUE(std::equal(before.begin(), before.end() - 1, table.begin()));
    EXPECT_EQ(table[9], Entry(U"last", 1));
}

TEST(RecordEntry, NamesAreCutPaddedAndNeedText) {
    EXPECT_EQ(FitName(U"Абвгдежзийклмнопрстуфхцч"), U"Абвгдежзийклмнопрс");
    EXPECT_EQ(FitName(U"   Bob"), U"   Bob            ");
    EXPECT_TRUE(IsAcceptableName(FitName(U"   Bob")));
    EXPECT_FALSE(IsAcceptableName(FitName(U"")));
    EXPECT_FALSE(IsAcceptableName(FitName(U"     ")));
    EXPECT_FALSE(IsAcceptableName(FitName(std::u32string(18, U' ') + U"Bob")));
}

}  // namespace
}  // namespace zintu
