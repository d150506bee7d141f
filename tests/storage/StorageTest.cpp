#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cmath>
#include <fstream>
#include <iterator>
#include <sstream>
#include <tuple>

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

struct TempFolder : fs::path {
    TempFolder() : fs::path(UniqueSiblingPath(fs::temp_directory_path() / "zintu")) {
        fs::create_directory(*this);
    }
    TempFolder(const TempFolder&) = delete;
    ~TempFolder() {
        std::error_code ignored;
        fs::remove_all(*this, ignored);
    }
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

// "Ann 900 Bob 20": these entries first, blanks of kNow after them.
ScoreTable Scores(const std::string& entries) {
    ScoreTable table = BlankTable(kNow);
    std::istringstream in(entries);
    std::string name;
    for (std::int32_t i = 0, points = 0; in >> name >> points; ++i) {
        table[i] = {FitName(std::u32string(name.begin(), name.end())), points, 4e4, 0.5};
    }
    return table;
}

TEST(ScoreFile, TableMatchesTheImageBothWaysAndKeepsTheTail) {
    ScoreTable table = Scores("");
    table[0] = {FitName(U"Иван Ёлкин"), 1250, 36852.0, 0.25};
    table[1] = {FitName(U"Zoë 中"), -12, 1.0, 0.0};
    // Both entries and the first blank; the blanks after it are alike.
    const Bytes image =
        Hex("C8E2E0ED20A8EBEAE8ED 20*8 E2040000 0000000080FEE140 000000000000D03F 5A6F3F203F 20*13 "
            "F4FFFFFF 000000000000F03F 0000000000000000 20*18 00000000 0000000080FEE140 "
            "000000000000E03F");
    const auto encoded = EncodeScoreTable(table);
    Bytes file(encoded.begin(), encoded.end());
    EXPECT_EQ(Bytes(file.begin(), file.begin() + image.size()), image);
    table[1].Name = FitName(U"Zo? ?");  // what the code page cannot hold
    EXPECT_EQ(DecodeScoreTable(image, kNow), table);
    EXPECT_EQ(DecodeScoreTable(std::span(image).first(3 * 38 - 1), {})[2], BlankRecord({}));

    TempFolder folder;
    WriteBytes(folder / "Zintu.scr", Bytes(500, 0xAB));
    ASSERT_TRUE(WriteScoreFile(folder / "Zintu.scr", table));
    file.resize(500, 0xAB);
    EXPECT_EQ(ReadBytes(folder / "Zintu.scr"), file);
    EXPECT_EQ(ReadScoreFile(folder / "Zintu.scr", {}), table);
}

TEST(PositionFile, OnlyWhatASaveCanProduceIsAccepted) {
    SavedPosition position{
        .Score = 350, .NextColors = {0, 7, 1, 5}, .RandomSeed = 0.5f, .DrawCount = 1};
    position.Board[2 + 9 * 1] = 7;
    position.Board[80] = 1;
    const Bytes image =
        Hex("5A696E747520332E31 00*22 0700 00*136 0100 5E010000 0000070001000500 0400 0000003F "
            "01000000");
    const auto encoded = EncodePosition(position);
    EXPECT_EQ(Bytes(encoded.begin(), encoded.end()), image);
    EXPECT_EQ(DecodePosition(image), position);
    EXPECT_FALSE(DecodePosition(std::span(image).first(192)));
    // Header 0, board 9, preview 175 (entry 0 unused), seed's type 183, seed 185, draws 189.
    const std::tuple<std::size_t, std::string_view, bool> patches[] = {
        {8, "30", false},         {9, "FFFF", false},       {89, "0800", false},
        {175, "0700", true},      {175, "0800", false},     {177, "0000", false},
        {179, "0800", false},     {183, "03", false},       {185, "00000000", true},
        {185, "0000803F", false}, {185, "000000BF", false}, {185, "0000C07F", false},
        {189, "00000000", true},  {189, "FFFFFFFF", false}, {193, "00", false},
    };
    for (const auto& [offset, hex, accepted] : patches) {
        Bytes bytes = image;
        bytes.resize(std::max(bytes.size(), offset + hex.size() / 2));
        std::ranges::copy(Hex(hex), bytes.begin() + offset);
        EXPECT_EQ(DecodePosition(bytes).has_value(), accepted) << offset << " " << hex;
    }
}

// A failed save leaves the old file whole and no temporary; a save removes only what killed
// saves left and no running save may still be writing.
TEST(SavedFiles, AFailedSaveChangesNothingAndASaveRemovesOnlyLeftovers) {
    const TempFolder folder;  // holding folders in the targets' places, which no save may replace
    fs::create_directories(folder / "taken" / "Zintu.scr");
    fs::create_directories(folder / "taken" / "game.poz");
    EXPECT_FALSE(WriteScoreFile(folder / "taken" / "Zintu.scr", Scores("")));
    EXPECT_FALSE(WritePositionFile(folder / "taken" / "game.poz", {}));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder / "taken"), {}), 2);

    const std::tuple<const char*, fs::file_time_type::duration, bool> leftovers[] = {
        {".game.poz.1f2e3d4c5b6a7980.tmp", 0s, false},  // its own: no other save of it runs
        {".other.poz.0a1b.tmp", 2min, false},
        {".other.poz.0a1c.tmp", 0s, true},  // another save may still be writing it
        {".game.poz.1f2e3d4c5b6a79801.tmp", 2min, true},
        {".game.poz.0A1B.tmp", 2min, true},
        {"xgame.poz.0a1b.tmp", 2min, true},
    };
    for (const auto& [name, age, kept] : leftovers) {
        WriteBytes(folder / name, {1}, age);
    }
    const auto file = folder / "game.poz";
    WriteBytes(file, Bytes(1000, 0x22));
    fs::permissions(file, fs::perms::owner_read);
    const fs::perms readOnly = fs::status(file).permissions();
    EXPECT_FALSE(WritePositionFile(file, {}));
    EXPECT_EQ(ReadBytes(file), Bytes(1000, 0x22));
    EXPECT_EQ(fs::status(file).permissions(), readOnly);
    fs::permissions(file, fs::perms::owner_write | fs::perms::group_read, fs::perm_options::add);
    const fs::perms writable = fs::status(file).permissions();
    const SavedPosition position{.NextColors = {0, 1, 2, 3}};
    ASSERT_TRUE(WritePositionFile(file, position));
    EXPECT_EQ(ReadPositionFile(file), position);
    EXPECT_EQ(fs::status(file).permissions(), writable);
    for (const auto& [name, age, kept] : leftovers) {
        EXPECT_EQ(fs::exists(folder / name), kept) << name;
    }
}

// Where the shared folder is ("none": no settings file; "own": the installation's own folder;
// "locked": held by another), the shared and the local copy before ("-": none), the record
// stored, both copies after, and whether the shared copy is in use.
TEST(ScoreBook, SharedAndLocalCopiesMergeWithoutLosingEntries) {
    const std::tuple<std::string_view, const char*, const char*, const char*, const char*,
                     const char*, bool>
        cases[] = {
            {"none", "-", "A 9 B 2", "C 2", "A 9 B 2 C 2", "-", false},
            {"own", "-", "A 900 B 20", "", "A 900 B 20", "A 900 B 20", true},
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
    for (const auto& [where, sharedBefore, localBefore, stored, local, shared, inUse] : cases) {
        SCOPED_TRACE(std::string(where) + " " + sharedBefore + " / " + localBefore + " + " +
                     stored);
        TempFolder folder;
        const ScoreFiles files{folder / "app", folder / "Zintu.ini"};
        const fs::path sharedDir = where == "own" ? files.AppFolder : folder / "shared";
        for (const auto& [dir, entries] :
             {std::pair{sharedDir, sharedBefore}, {files.AppFolder, localBefore}}) {
            fs::create_directories(dir);
            if (*entries != '-') {
                WriteScoreFile(dir / kScoreFileName, Scores(entries));
            }
        }
        if (where != "none") {
            std::ofstream(files.SettingsFile) << sharedDir.string() << "\n";
        }
        const auto lock =
            where == "locked" ? FileLock::Acquire(sharedDir / kScoreLockFileName) : std::nullopt;
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

// Equal points go by the earlier date, then the earlier time, then the name; a full table of
// equal points has no place for one more.
TEST(ScoreBook, TiesRanksAndNames) {
    ScoreTable shared = Scores(""), expected = Scores("");
    shared[0] = expected[3] = {FitName(U"B"), 9, 40001.0, 0.1};
    shared[1] = expected[2] = {FitName(U"B"), 9, 40000.0, 0.2};
    shared[2] = expected[1] = {FitName(U"A"), 9, 40000.0, 0.2};
    shared[3] = expected[0] = {FitName(U"C"), 9, 40000.0, 0.1};
    EXPECT_EQ(MergeScoreTables(shared, Scores(""), kNow), expected);
    const ScoreTable full = Scores("a 9 b 9 c 9 d 9 e 9 f 9 g 9 h 9 i 9 j 9");
    EXPECT_EQ(FindRank(full, 9), 0);
    ScoreTable inserted = full;
    InsertRecord(inserted, 0, {});
    InsertRecord(inserted, 11, {});
    EXPECT_EQ(inserted, full);
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

    // A dead holder's file is taken over and a missing folder refused, both without waiting;
    // a stalled holder leaves its successor's file alone.
    WriteBytes(file, {0}, 10s);
    start = std::chrono::steady_clock::now();
    EXPECT_FALSE(FileLock::Acquire(folder / "absent" / "Zintu.lck"));
    held = FileLock::Acquire(file);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
    WriteBytes(file, {1});
    held.reset();
    EXPECT_EQ(ReadBytes(file), Bytes{1});
}

// UTF-8 where the bytes allow it, else Windows-1251 as in older settings and every score file.
TEST(Settings, FirstLineNamesTheSharedFolderInUtf8OrWindows1251) {
    using enum PathStyle;
    // A backslash is a name character to Posix; bytes that are not UTF-8: a bad follower, cut
    // short, overlong, a surrogate.
    const std::tuple<std::string_view, PathStyle, std::u32string_view> cases[] = {
        {"C:\\Games\\Zintu\r\nrest", Windows, U"C:\\Games\\Zintu\\"},
        {"C:\\Zintu\\", Windows, U"C:\\Zintu\\"},
        {"\\\\server\\share/", Windows, U"\\\\server\\share/"},
        {"/srv/zintu/", Posix, U"/srv/zintu/"},
        {"/srv/zintu\\\nrest", Posix, U"/srv/zintu\\/"},
        {"\xEF\xBB\xBF/srv\r/x", Posix, U"/srv/"},
        {"/\xDF\xBF\xEF\xBF\xBC\xF4\x8F\xBF\xBF", Posix, U"/\u07FF\uFFFC\U0010FFFF/"},
        {"D:\\\xC8\xE3\xF0\xFB", Windows, U"D:\\Игры\\"},
        {"/\xD0\xB3\xC8", Posix, U"/РіИ/"},
        {"/\xE0\x80\xAF", Posix, U"/аЂЇ/"},
        {"/\xED\xA0\x80", Posix, U"/н\u00A0Ђ/"},
        {"  \t \n/srv", Posix, U""},
        {std::string_view("/srv\0/x", 7), Posix, U""},
    };
    for (const auto& [bytes, style, expected] : cases) {
        EXPECT_EQ(SharedScoreDirFromSettings(bytes, style).u32string(), expected) << bytes;
    }
    for (int byte = 0; byte < 256; ++byte) {  // 0x98 alone is unassigned
        const std::string text(1, static_cast<char>(byte));
        EXPECT_EQ(EncodeCp1251(DecodeCp1251(text)), byte == 0x98 ? "?" : text) << byte;
    }
}

TEST(OleDate, CivilDatesBothWaysAndNow) {
    const std::tuple<int, int, int, double> dates[] = {
        {1899, 12, 30, 0},   {1899, 12, 29, -1},  {2000, 2, 29, 36585},
        {2100, 3, 1, 73110}, {1899, 12, 30, NAN},
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

}  // namespace
}  // namespace zintu
