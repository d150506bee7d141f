#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cmath>
#include <fstream>
#include <iterator>
#include <sstream>
#include <tuple>

#include "AppFolder.h"
#include "Cp1251.h"
#include "FileLock.h"
#include "PositionFile.h"
#include "ScoreBook.h"
#include "ScoreFile.h"
#include "ScoreMerge.h"
#include "Settings.h"
#include "UniqueName.h"

namespace zintu {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

const OleDateTime kNow{36852.0, 0.5};  // 22 Nov 2000, 12:00

struct TempFolder {
    TempFolder() { fs::create_directories(path); }
    TempFolder(const TempFolder&) = delete;
    ~TempFolder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    fs::path operator/(const fs::path& name) const { return path / name; }
    const fs::path path = UniqueSiblingPath(fs::temp_directory_path() / "zintu");
};

Bytes ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& file, const Bytes& bytes, fs::file_time_type::duration age = {}) {
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    fs::last_write_time(file, fs::file_time_type::clock::now() - age);
}

// Pairs of hex digits, "00*14" meaning fourteen of a byte; anything else only lays them out.
Bytes Hex(std::string_view text) {
    Bytes bytes;
    for (std::size_t i = 0, digits = 0; i < text.size(); ++i) {
        if (text[i] == '*') {
            bytes.insert(bytes.end(), std::stoul(std::string(text.substr(i + 1)), &digits) - 1,
                         bytes.back());
            i += digits;
        } else if (std::isxdigit(static_cast<unsigned char>(text[i]))) {
            bytes.push_back(std::stoul(std::string(text.substr(i++, 2)), nullptr, 16));
        }
    }
    return bytes;
}

ScoreRecord Entry(std::u32string name, std::int32_t points, double date = 4e4, double time = 0.5) {
    name.resize(ScoreRecord::kNameLength, U' ');
    return {name, points, date, time};
}

// "Ann 900 Bob 20": these entries first, blanks of kNow after them.
ScoreTable Scores(const std::string& entries) {
    ScoreTable table = BlankTable(kNow);
    std::istringstream in(entries);
    std::string name;
    for (std::int32_t i = 0, points = 0; in >> name >> points; ++i) {
        table[i] = Entry({name.begin(), name.end()}, points);
    }
    return table;
}

TEST(ScoreFile, TableMatchesTheImageBothWaysAndKeepsTheTail) {
    ScoreTable table = Scores("");
    table[0] = Entry(U"Иван Ёлкин", 1250, 36852.0, 0.25);
    table[1] = Entry(U"Zoë 中", -12, 1.0, 0.0);
    Bytes image =
        Hex("C8E2E0ED20A8EBEAE8ED 20*8 E2040000 0000000080FEE140 000000000000D03F"
            "5A6F3F203F 20*13 F4FFFFFF 000000000000F03F 0000000000000000");
    for (int i = 2; i < 10; ++i) {
        const Bytes blank = Hex("20*18 00000000 0000000080FEE140 000000000000E03F");
        image.insert(image.end(), blank.begin(), blank.end());
    }
    const auto encoded = EncodeScoreTable(table);
    EXPECT_EQ(Bytes(encoded.begin(), encoded.end()), image);
    table[1].Name = Entry(U"Zo? ?", 0).Name;  // what the code page cannot hold
    EXPECT_EQ(DecodeScoreTable(image, kNow), table);
    ScoreTable partial = BlankTable({});  // whole records only, the rest made blank
    std::copy_n(table.begin(), 2, partial.begin());
    EXPECT_EQ(DecodeScoreTable(std::span(image).first(3 * 38 - 1), {}), partial);

    TempFolder folder;
    WriteBytes(folder / "Zintu.scr", Bytes(500, 0xAB));
    ASSERT_TRUE(WriteScoreFile(folder / "Zintu.scr", table));
    image.resize(500, 0xAB);
    EXPECT_EQ(ReadBytes(folder / "Zintu.scr"), image);
    EXPECT_EQ(ReadScoreFile(folder / "Zintu.scr", {}), table);
}

TEST(PositionFile, OnlyWhatASaveCanProduceIsAccepted) {
    SavedPosition position{
        .Score = 350, .NextColors = {0, 7, 1, 5}, .RandomSeed = 0.5f, .DrawCount = 0x01020304};
    position.Board[2 + 9 * 1] = 7;
    position.Board[80] = 1;
    const Bytes image =
        Hex("5A696E747520332E31 00*22 0700 00*136 0100 5E010000 0000070001000500 0400 0000003F "
            "04030201");
    const auto encoded = EncodePosition(position);
    EXPECT_EQ(Bytes(encoded.begin(), encoded.end()), image);
    EXPECT_EQ(DecodePosition(image), position);
    const std::tuple<const char*, std::size_t, std::string_view, bool> patches[] = {
        {"version", 8, "30", false},
        {"board colour 8", 9 + 2 * 40, "0800", false},
        {"board colour -1", 9, "FFFF", false},
        {"unused preview entry 7", 175, "0700", true},
        {"unused preview entry 8", 175, "0800", false},
        {"preview colour 0", 177, "0000", false},
        {"preview colour 8", 179, "0800", false},
        {"seed tag 3", 183, "03", false},
        {"seed 0", 185, "00000000", true},
        {"seed 1", 185, "0000803F", false},
        {"seed -0.5", 185, "000000BF", false},
        {"seed NaN", 185, "0000C07F", false},
        {"no draws yet", 189, "00000000", true},
        {"draw count -1", 189, "FFFFFFFF", false},
        {"one byte more", 193, "00", false},
    };
    for (const auto& [what, offset, hex, accepted] : patches) {
        Bytes bytes = image;
        const Bytes patch = Hex(hex);
        bytes.resize(std::max(bytes.size(), offset + patch.size()));
        std::copy(patch.begin(), patch.end(), bytes.begin() + offset);
        EXPECT_EQ(DecodePosition(bytes).has_value(), accepted) << what;
    }
    EXPECT_FALSE(DecodePosition(std::span(image).first(192)));
}

TEST(SavedFiles, AFailedSaveLeavesTheOldFileWholeAndNoTemporary) {
    TempFolder folder;
    const SavedPosition position{.NextColors = {0, 1, 2, 3}};
    // Folders in the targets' places: neither writer may replace one or leave anything beside.
    fs::create_directories(folder / "taken" / "Zintu.scr");
    fs::create_directories(folder / "taken" / "game.poz");
    EXPECT_FALSE(WriteScoreFile(folder / "taken" / "Zintu.scr", Scores("")));
    EXPECT_FALSE(WritePositionFile(folder / "taken" / "game.poz", position));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder / "taken"), {}), 2);
    EXPECT_EQ(ReadScoreFile(folder / "taken" / "Zintu.scr", kNow), Scores(""));

    const auto file = folder / "game.poz";
    WriteBytes(file, Bytes(1000, 0x22));
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read);
    const fs::perms readOnly = fs::status(file).permissions();
    EXPECT_FALSE(WritePositionFile(file, position));
    EXPECT_EQ(ReadBytes(file), Bytes(1000, 0x22));
    EXPECT_EQ(fs::status(file).permissions(), readOnly);
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    const fs::perms writable = fs::status(file).permissions();
    ASSERT_TRUE(WritePositionFile(file, position));
    EXPECT_EQ(ReadPositionFile(file), position);
    EXPECT_EQ(fs::status(file).permissions(), writable);
}

TEST(SavedFiles, ASaveRemovesOnlyWhatKilledSavesLeft) {
    const std::tuple<const char*, fs::file_time_type::duration, bool> files[] = {
        {".game.poz.1f2e3d4c5b6a7980.tmp", 0s, false},  // its own: no other save of it runs
        {".other.poz.0a1b.tmp", 2min, false},
        {".other.poz.0a1c.tmp", 0s, true},  // another save may still be writing it
        {".game.poz.1f2e3d4c5b6a79801.tmp", 2min, true},
        {".game.poz.0A1B.tmp", 2min, true},
        {"xgame.poz.0a1b.tmp", 2min, true},
    };
    TempFolder folder;
    for (const auto& [name, age, kept] : files) {
        WriteBytes(folder / name, {1}, age);
    }
    ASSERT_TRUE(WritePositionFile(folder / "game.poz", SavedPosition{}));
    for (const auto& [name, age, kept] : files) {
        EXPECT_EQ(fs::exists(folder / name), kept) << name;
    }
}

// The settings ("none": no shared folder; "own": the installation's own; "locked": held by
// another), the shared and the local copy before ("-": none), the record stored, both after.
TEST(ScoreBook, SharedAndLocalCopiesMergeWithoutLosingEntries) {
    const std::tuple<std::string_view, const char*, const char*, const char*, const char*,
                     const char*, bool>
        cases[] = {
            {"none", "-", "-", "B 20", "B 20", "-", false},
            {"none", "-", "A 9 B 2", "C 2", "A 9 B 2 C 2", "-", false},
            {"own", "-", "A 900 B 20", "", "A 900 B 20", "A 900 B 20", true},
            {"shared", "A 900 B 20", "-", "", "A 900 B 20", "A 900 B 20", true},
            {"shared", "A 5 S 3", "B 4 S 3", "", "A 5 B 4 S 3", "A 5 B 4 S 3", true},
            // A shared copy without a score is ignored, and none is started without one.
            {"shared", "", "A 400", "B 500", "B 500 A 400", "", false},
            {"shared", "-", "-", "", "", "-", true},
            {"shared", "-", "A 900", "", "A 900", "A 900", true},
            {"shared", "-", "-", "B 20", "B 20", "B 20", true},
            // Stored by another installation while this player typed a name.
            {"shared", "A 900 B 20", "B 20", "M 600", "A 900 M 600 B 20", "A 900 M 600 B 20", true},
            {"locked", "A 900 B 20", "-", "M 600", "A 900 M 600 B 20", "A 900 B 20", false},
        };
    for (const auto& [named, sharedBefore, localBefore, stored, local, shared, inUse] : cases) {
        SCOPED_TRACE(std::string(named) + " " + sharedBefore + " / " + localBefore + " + " +
                     stored);
        TempFolder folder;
        const ScoreFiles files{folder / "app", folder / "Zintu.ini"};
        const fs::path sharedDir = named == "own" ? files.AppFolder : folder / "shared";
        for (const auto& [dir, entries] :
             {std::pair{sharedDir, sharedBefore}, std::pair{files.AppFolder, localBefore}}) {
            fs::create_directories(dir);
            if (*entries != '-') {
                WriteScoreFile(dir / kScoreFileName, Scores(entries));
            }
        }
        std::ofstream(files.SettingsFile) << (named == "none" ? "" : sharedDir.string()) << "\n";
        const auto lock =
            named == "locked" ? FileLock::Acquire(sharedDir / kScoreLockFileName) : std::nullopt;
        const LoadedScores loaded =
            *stored ? StoreRecord(files, Scores(stored)[0], kNow) : LoadScoreTable(files, kNow);
        EXPECT_EQ(loaded.Table, Scores(local));
        EXPECT_EQ(ReadScoreFile(files.AppFolder / kScoreFileName, {}), Scores(local));
        EXPECT_EQ(loaded.SharedScoreDir, inUse ? sharedDir / "" : "");
        EXPECT_EQ(fs::exists(sharedDir / kScoreFileName), *shared != '-');
        if (*shared != '-') {
            EXPECT_EQ(ReadScoreFile(sharedDir / kScoreFileName, {}), Scores(shared));
        }
    }
}

TEST(ScoreBook, TiesRanksAndNames) {
    const ScoreRecord tied[] = {Entry(U"B", 9, 40001.0, 0.1), Entry(U"B", 9, 40000.0, 0.2),
                                Entry(U"A", 9, 40000.0, 0.2), Entry(U"C", 9, 40000.0, 0.1)};
    ScoreTable shared = Scores("");
    ScoreTable expected = Scores("");
    std::copy(std::begin(tied), std::end(tied), shared.begin());
    std::reverse_copy(std::begin(tied), std::end(tied), expected.begin());
    expected[5] = Scores("Neg -5")[0];  // below the blanks
    EXPECT_EQ(MergeScoreTables(shared, Scores("Neg -5"), kNow), expected);
    EXPECT_FALSE(MergeScoreTables(Scores("Neg -5"), Scores("Pos 1"), kNow));
    ScoreTable full = Scores("a 9 b 9 c 9 d 9 e 9 f 9 g 9 h 9 i 9 j 9");
    EXPECT_EQ(FindRank(full, 9), 0) << "no place below equal points in a full table";
    InsertRecord(full, 0, Entry(U"x", 1));
    InsertRecord(full, 11, Entry(U"x", 1));
    EXPECT_EQ(full, Scores("a 9 b 9 c 9 d 9 e 9 f 9 g 9 h 9 i 9 j 9"));
    EXPECT_EQ(FitName(U"Абвгдежзийклмнопрстуфхцч"), U"Абвгдежзийклмнопрс");
    EXPECT_EQ(FitName(U" Bob"), U" Bob" + std::u32string(14, U' '));
    EXPECT_TRUE(IsAcceptableName(FitName(U" Bob")));
    EXPECT_FALSE(IsAcceptableName(FitName(std::u32string(18, U' ') + U"Bob")));
}

TEST(FileLock, ExclusiveAndReleasedOnlyByItsHolder) {
    TempFolder folder;
    const auto file = folder / "Zintu.lck";
    auto held = FileLock::Acquire(file);
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(FileLock::Acquire(file, {.Patience = 300ms}));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 300ms);
    held.reset();
    EXPECT_FALSE(fs::exists(file));

    // A dead holder's file is taken over at once; a stalled holder leaves its successor's alone.
    WriteBytes(file, {0}, 10s);
    start = std::chrono::steady_clock::now();
    held = FileLock::Acquire(file);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
    WriteBytes(file, {1});
    held.reset();
    EXPECT_EQ(ReadBytes(file), Bytes{1});

    start = std::chrono::steady_clock::now();
    EXPECT_FALSE(FileLock::Acquire(folder / "absent" / "Zintu.lck"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s) << "no folder: nothing to wait for";
}

TEST(Cp1251, EveryAssignedByteSurvivesTheRoundTrip) {
    for (int byte = 0; byte < 256; ++byte) {
        const std::u32string text = DecodeCp1251(std::string(1, static_cast<char>(byte)));
        EXPECT_EQ(EncodeCp1251(text), std::string(1, byte == 0x98 ? '?' : static_cast<char>(byte)));
        EXPECT_EQ(text == U"\uFFFD", byte == 0x98) << byte;
    }
}

TEST(Settings, FirstLineNamesTheSharedFolder) {
    using enum PathStyle;
    const std::tuple<std::string_view, PathStyle, std::u32string_view> cases[] = {
        {"C:\\Games\\Zintu\r\nrest", Windows, U"C:\\Games\\Zintu\\"},
        {"C:\\Zintu\\\nrest", Windows, U"C:\\Zintu\\"},
        {"\\\\server\\share/", Windows, U"\\\\server\\share/"},
        {"/srv/zintu\nrest", Posix, U"/srv/zintu/"},
        {"/srv/zintu/", Posix, U"/srv/zintu/"},
        {"/srv/zintu\\", Posix, U"/srv/zintu\\/"},  // a name character there
        {"\xEF\xBB\xBF/srv\r/x", Posix, U"/srv/"},
        {"/srv/\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B", Posix, U"/srv/Игры/"},
        {"/\xDF\xBF\xEF\xBF\xBC\xF4\x8F\xBF\xBF", Posix, U"/\u07FF\uFFFC\U0010FFFF/"},
        // Not UTF-8 (cut short, overlong, a surrogate) is Windows-1251.
        {"D:\\\xC8\xE3\xF0\xFB", Windows, U"D:\\Игры\\"},
        {"/\xD0\xB3\xC8", Posix, U"/РіИ/"},
        {"/\xE0\x80\xAF", Posix, U"/аЂЇ/"},
        {"/\xED\xA0\x80", Posix, U"/н\u00A0Ђ/"},
        {"\xEF\xBB\xBF\r\nC:\\Games", Windows, U""},
        {"  \t \n/srv", Posix, U""},
        {std::string_view("/srv\0/x", 7), Posix, U""},
    };
    for (const auto& [bytes, style, expected] : cases) {
        EXPECT_EQ(SharedScoreDirFromSettings(bytes, style).u32string(), expected) << bytes;
    }
    TempFolder folder;
    EXPECT_TRUE(ReadSharedScoreDir(folder / "Zintu.ini").empty());
    fs::create_directory(folder / "Zintu.ini");
    EXPECT_TRUE(ReadSharedScoreDir(folder / "Zintu.ini").empty());
}

TEST(OleDate, CivilDatesBothWaysAndNow) {
    const std::tuple<int, int, int, double> dates[] = {
        {1899, 12, 30, 0},    {1800, 7, 4, -36338}, {1900, 3, 1, 61},     {2000, 2, 29, 36585},
        {2024, 1, 31, 45322}, {2024, 3, 1, 45352},  {2025, 7, 31, 45869}, {2026, 12, 31, 46387},
        {2100, 3, 1, 73110},  {1899, 12, 29, -1},   {1899, 12, 30, NAN},
    };
    for (const auto& [year, month, day, ole] : dates) {
        const CivilDate civil = CivilFromOleDate(ole + 0.75);
        EXPECT_EQ(std::tie(civil.Year, civil.Month, civil.Day), std::tie(year, month, day)) << ole;
        EXPECT_TRUE(std::isnan(ole) || OleDateFromCivil({year, month, day}) == ole) << ole;
    }
    EXPECT_EQ(OleTimeOfDay(18, 0, 1), 0.75 + 1 / 86400.0);
    // Local time is within a day of UTC; 1970-01-01 is OLE day 25569.
    const auto today = std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now());
    EXPECT_NEAR(OleNow().Date, today.time_since_epoch().count() + 25569, 1.0);
}

TEST(AppFolder, OnlyTheInstalledLayoutMovesScoresToTheUserFolder) {
    const std::tuple<bool, fs::path, bool> cases[] = {
        {true, "../zintu.desktop", true}, {false, "../zintu.desktop", false}, {true, {}, false}};
    for (const auto& [installed, marker, user] : cases) {
        TempFolder folder;
        fs::create_directories(folder / "bin");
        std::ofstream(installed ? folder / "zintu.desktop" : folder / "other");
        EXPECT_EQ(ChooseAppFolder(folder / "bin", marker, folder / "user"),
                  user ? folder / "user" : folder / "bin");
        EXPECT_EQ(fs::is_directory(folder / "user"), user);
    }
}

}  // namespace
}  // namespace zintu
