#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <fstream>
#include <sstream>
#include <thread>

#include "storage/FileLock.h"
#include "storage/OleDate.h"
#include "storage/PositionFile.h"
#include "storage/ScoreBook.h"
#include "storage/ScoreFile.h"
#include "storage/ScoreMerge.h"
#include "storage/ScoreWorker.h"
#include "storage/Settings.h"
#include "storage/UniqueName.h"

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

void WriteBytes(const fs::path& file, const Bytes& bytes, fs::file_time_type::duration age = {}) {
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    fs::last_write_time(file, fs::file_time_type::clock::now() - age);
}

// Words of hex digit pairs; the word "00*14" stands for fourteen of that byte.
Bytes Hex(const std::string& text) {
    Bytes bytes;
    std::istringstream words(text);
    for (std::string word; words >> word;) {
        const std::size_t star = std::min(word.find('*'), word.size());
        const std::size_t times = star < word.size() ? std::stoul(word.substr(star + 1)) : 1;
        for (std::size_t i = 0; i < star; i += 2)
            bytes.insert(bytes.end(), times, std::stoi(word.substr(i, 2), nullptr, 16));
    }
    return bytes;
}

using Use = std::function<std::optional<bool>(const fs::path&, const CallFaults&)>;
using RunUse = std::function<std::optional<bool>(const Use&, const fs::path&)>;

// Faults striking the calls of one kind in turn, the last one every later call too.
RunUse Strike(CallKind kind, std::vector<CallFault> faults) {
    return [=](const Use& use, const fs::path& file) {
        return use(file, [=, next = std::size_t{0}](CallKind call) mutable {
            return call == kind ? faults[std::min(next++, faults.size() - 1)] : CallFault{};
        });
    };
}

// "Ann 900 Bob 20": these entries first, blanks of kNow after them.
ScoreTable Scores(std::string_view entries) {
    ScoreTable table = BlankTable(kNow);
    std::istringstream in{std::string(entries)};
    std::string name;
    for (std::int32_t i = 0, points = 0; in >> name >> points; ++i) {
        table[i] = {FitName(std::u32string(name.begin(), name.end())), points, 4e4, 0.5};
    }
    return table;
}

TEST(ScoreFile, TableMatchesTheImageBothWays) {
    ScoreTable table = Scores("");
    table[0] = {FitName(U"Аня Ёж ë\u0080"), 1250, 36852.0, 0.75};  // nor ë nor U+0080 are there
    const Bytes image =  // the entry and the first blank; the others are alike
        Hex("C0EDFF20A8E6203F3F 20*9 E2040000 0000000080FEE140 000000000000E83F "
            "20*18 00000000 0000000080FEE140 000000000000E03F");
    const auto encoded = EncodeScoreTable(table);
    EXPECT_EQ(Bytes(encoded.begin(), encoded.begin() + image.size()), image);
    table[0].Name[7] = table[0].Name[8] = U'?';
    EXPECT_EQ(DecodeScoreTable(image, kNow), table);
    EXPECT_EQ(MergeScoreTables(table, Scores("A 1250"), {})->front(), table[0]);  // day first
    EXPECT_EQ(DecodeScoreTable(std::span(image).first(37), {})[0], BlankRecord({}));

    EXPECT_EQ(FitName(U" Bob" + std::u32string(20, U'ё')), U" Bob" + std::u32string(14, U'ё'));
    EXPECT_FALSE(IsAcceptableName(FitName(std::u32string(18, U' ') + U"Bob")));
    EXPECT_TRUE(IsAcceptableName(FitName(U" Bob")));
}

TEST(PositionFile, OnlyWhatASaveCanProduceIsAccepted) {
    SavedPosition position{.Score = 350, .NextColors = {0, 7, 1, 5}, .RandomSeed = 0.5f};
    position.Board[2 + 9 * 1] = 7;
    position.Board[80] = 1;
    const Bytes image =
        Hex("5A696E747520332E31 00*22 0700 00*136 0100 5E010000 0000070001000500 0400 0000003F "
            "00000000");
    const auto encoded = EncodePosition(position);
    EXPECT_EQ(Bytes(encoded.begin(), encoded.end()), image);
    EXPECT_EQ(DecodePosition(image), position);
    // Header 0, board 9, preview 175 (entry 0 unused), seed's type 183, seed 185, draws 189.
    const std::tuple<std::size_t, std::string, bool> patches[] = {
        {8, "30", false},         {9, "FFFF", false},       {89, "0800", false},
        {175, "0700", true},      {175, "0800", false},     {177, "0000", false},
        {179, "0800", false},     {183, "03", false},       {185, "00000000", true},
        {185, "0000803F", false}, {185, "000000BF", false}, {185, "0000C07F", false},
        {189, "FFFFFFFF", false},
    };
    for (const auto& [offset, hex, accepted] : patches) {
        Bytes bytes = image;
        std::ranges::copy(Hex(hex), bytes.begin() + offset);
        EXPECT_EQ(DecodePosition(bytes).has_value(), accepted) << offset << " " << hex;
    }
}

TEST(SavedFiles, AFailedSaveChangesNothingAndASaveRemovesOnlyLeftovers) {
    const TempFolder folder;
    fs::create_directories(folder / "taken" / "game.poz");  // a folder no save may replace
    EXPECT_FALSE(WritePositionFile(folder / "taken" / "game.poz", {}));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder / "taken"), {}), 1);

    // Temporary names a save makes (".<target>.<up to 16 hex digits>.tmp"), written that long ago,
    // and whether the save of game.poz removes them: its own at any age, another file's once
    // abandoned for a minute, and nothing that only looks like one.
    const std::tuple<std::string, std::chrono::seconds, bool> leftovers[] = {
        {".game.poz.1f2e3d4c5b6a7980.tmp", 0s, true},
        {".other.poz.0a1b.tmp", 61s, true},
        {".other.poz.0a1c.tmp", 50s, false},
        {".o.ffff.tmp", 61s, true},
        {".game.poz.1f2e3d4c5b6a79801.tmp", 61s, false},
        {".game.poz.0A1B.tmp", 61s, false},
        {".game.poz.0a1g.tmp", 61s, false},
        {"xgame.poz.0a1b.tmp", 61s, false},
        {".game.poz..tmp", 61s, false},
        {"..0a1b.tmp", 61s, false},
        {".game.poz.0a1b.tmpx", 61s, false},
        {".0a1b.tmp", 61s, false}};
    for (const auto& [name, age, gone] : leftovers) {
        WriteBytes(folder / name, {1}, age);
    }
    const auto file = folder / "game.poz";
    WriteBytes(file, Bytes(1000, 0x22));
    fs::permissions(file, fs::perms::owner_read);
    EXPECT_FALSE(WritePositionFile(file, {}));
    EXPECT_EQ(ReadFileStart(file, 2000).value().Bytes, Bytes(1000, 0x22));
    fs::permissions(file, fs::perms::owner_write | fs::perms::group_read, fs::perm_options::add);
    const fs::perms writable = fs::status(file).permissions();
    ASSERT_TRUE(WritePositionFile(file, {.NextColors = {0, 1, 2, 3}}));
    EXPECT_EQ(fs::status(file).permissions(), writable);
    for (const auto& [name, age, gone] : leftovers) {
        EXPECT_EQ(fs::exists(folder / name), !gone) << name;
    }
}

// A use of a file under faults, from the file before it to the file after a success.
struct FileUse {
    Bytes Before, After;
    Use Run;
};

// A position saved, a table written over a longer and over a shorter file, a position read.
std::vector<FileUse> FileUses() {
    const SavedPosition saved{.NextColors = {0, 1, 2, 3}}, old{.NextColors = {0, 7, 7, 7}};
    const auto bytes = [](const auto& image) { return Bytes(image.begin(), image.end()); };
    const Bytes poz = bytes(EncodePosition(saved)), oldPoz = bytes(EncodePosition(old));
    Bytes scr = bytes(EncodeScoreTable(Scores("A 9"))), tailed(500, 0xAB);
    std::ranges::copy(scr, tailed.begin());
    const Use scores = [](auto& file, auto& faults) {
        return WriteScoreFile(file, Scores("A 9"), AlwaysWrite, faults);
    };
    const Use read = [old](auto& file, auto& faults) -> std::optional<bool> {
        const auto got = ReadPositionFile(file, faults);
        return got ? (got == old ? std::optional(true) : std::nullopt) : false;
    };
    return {{oldPoz, poz,
             [saved](auto& file, auto& faults) { return WritePositionFile(file, saved, faults); }},
            {Bytes(500, 0xAB), tailed, scores},
            {Bytes(100, 0xAB), scr, scores},
            {oldPoz, oldPoz, read}};
}

// Rows put faults in the way of one kind of call and tell which uses of a file
// succeed. A failure leaves the old file and nothing beside it, a read nothing half read.
TEST(SavedFiles, AFaultOfTheDiskLeavesTheOldFileOrTheNewOne) {
    using enum CallKind;
    const CallFault eio{.Error = std::errc::io_error}, eintr{.Error = std::errc::interrupted};
    const std::tuple<std::string_view, RunUse, std::string_view> rows[] = {
        {"short writes", Strike(Write, {{7}}), "++++"},
        {"an interrupted write", Strike(Write, {eintr, {}}), "++++"},
        {"a write failing part-way", Strike(Write, {{150}, eio, {}}), "---+"},
        {"a write moving nothing", Strike(Write, {{0}}), "---+"},
        {"a failing flush", Strike(Flush, {eio}), "-+++"},
        {"short reads", Strike(Read, {{7}}), "++++"},
        {"an interrupted read", Strike(Read, {eintr, {}}), "++++"},
        {"a read failing part-way", Strike(Read, {{100}, eio, {}}), "+---"},
        {"a disk full part-way",
         Strike(Write, {{150}, {.Error = std::errc::no_space_on_device}, {}}), "---+"},
    };
    const std::vector<FileUse> uses = FileUses();
    for (const auto& [fault, run, outcomes] : rows) {
        for (std::size_t i = 0; i < uses.size(); ++i) {
            SCOPED_TRACE(testing::Message() << fault << ", use " << i);
            const TempFolder folder;
            WriteBytes(folder / "f", uses[i].Before);
            EXPECT_EQ(run(uses[i].Run, folder / "f"), outcomes[i] == '+');
            const Bytes now = ReadFileStart(folder / "f", 1000).value_or(FileStart()).Bytes;
            EXPECT_EQ(now, outcomes[i] == '+' ? uses[i].After : uses[i].Before);
            EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 1) << "nothing beside";
        }
    }
}

// Where the shared folder is ("none": no settings file; "own": the installation's own folder),
// the shared and the local copy before ("-": none), the record stored, both copies after, and
// whether the shared copy is in use. A 900 beside B 20 came from another while this one typed.
TEST(ScoreBook, SharedAndLocalCopiesMergeWithoutLosingEntries) {
    using S = std::string_view;
    const std::tuple<S, S, S, S, S, S, bool> cases[] = {
        {"none", "-", "A 9 B 2", "C 2", "A 9 B 2 C 2", "-", false},
        {"none", "-", "-", "C 0", "", "-", false},  // no place for it
        {"own", "-", "A 900 B 20", "", "A 900 B 20", "A 900 B 20", true},
        {"shared", "A 5 S 3", "R 3 B 4 S 3", "", "A 5 B 4 R 3 S 3", "A 5 B 4 R 3 S 3", true},
        {"shared", "", "A 400", "B 500", "B 500 A 400", "", false},  // a blank shared copy: ignored
        {"shared", "-", "-", "", "", "-", true},
        {"shared", "-", "A 900", "", "A 900", "A 900", true},
        {"shared", "-", "-", "B 20", "B 20", "B 20", true},
        {"shared", "A 900 B 20", "B 20", "M 600", "A 900 M 600 B 20", "A 900 M 600 B 20", true},
    };
    for (const auto& [where, sharedBefore, localBefore, stored, local, shared, inUse] : cases) {
        SCOPED_TRACE(testing::Message() << where << sharedBefore << localBefore << stored);
        const TempFolder folder;
        ScoreBook book({folder / "app", folder / "Zintu.ini"}, {150ms, 200ms, 5ms});
        const ScoreFiles& files = book.Files();
        const fs::path sharedDir = where == "own" ? files.AppFolder : folder / "shared";
        for (const auto& [dir, entries] :
             {std::pair{sharedDir, sharedBefore}, {files.AppFolder, localBefore}}) {
            fs::create_directories(dir);
            if (entries != "-") {
                WriteScoreFile(dir / kScoreFileName, Scores(entries));
            }
        }
        std::ofstream(where == "none" ? folder / "other.ini" : files.SettingsFile)
            << sharedDir.string();
        const LoadedScores loaded =
            stored.empty() ? book.Load(kNow) : book.Store(Scores(stored)[0], kNow);
        EXPECT_EQ(loaded.Table, Scores(local));
        EXPECT_EQ(ReadScoreFile(files.AppFolder / kScoreFileName, {}), loaded.Table);
        EXPECT_EQ(loaded.SharedScoreDir, inUse ? sharedDir / "" : "");
        EXPECT_EQ(fs::exists(sharedDir / kScoreFileName), shared != "-");
        if (shared != "-") {
            EXPECT_EQ(ReadScoreFile(sharedDir / kScoreFileName, {}), Scores(shared));
        }
        EXPECT_EQ(std::distance(fs::directory_iterator(sharedDir), {}), shared != "-")
            << "no lock or temporary file left beside the table";
    }
}

// An entry that neither copy took (a folder stands where the local one goes, a live holder keeps
// the shared one) is kept, and the next load writes it to both.
TEST(ScoreBook, AnEntryNoFileTookIsWrittenByTheNextLoad) {
    const TempFolder folder;
    const fs::path app = folder / "app", shared = folder / "shared";
    fs::create_directories(app / kScoreFileName);
    fs::create_directories(shared / kScoreLockFileName);
    WriteScoreFile(shared / kScoreFileName, Scores("A 900"));
    std::ofstream(folder / "Zintu.ini") << shared.string();
    ScoreBook book({app, folder / "Zintu.ini"}, {50ms, 10s, 1ms, 0ms});
    const LoadedScores missed = book.Store(Scores("B 500")[0], kNow);
    EXPECT_EQ(std::tuple(missed.Table, missed.SharedScoreDir, book.HasUnsaved()),
              std::tuple(Scores("A 900 B 500"), fs::path(), true));
    fs::remove(app / kScoreFileName);
    fs::remove(shared / kScoreLockFileName);
    EXPECT_EQ(book.Load(kNow).Table, Scores("A 900 B 500"));
    EXPECT_FALSE(book.HasUnsaved());
    for (const fs::path& copy : {app, shared})
        EXPECT_EQ(ReadScoreFile(copy / kScoreFileName, {}), Scores("A 900 B 500")) << copy;
    // Nor does a local copy whose read failed once: the entries in it are never written over.
    ScoreBook unread({app, folder / "none.ini"}, {}, [reads = 0](CallKind kind) mutable {
        const bool fails = kind == CallKind::Read && reads++ == 0;
        return CallFault{.Error = fails ? std::errc::io_error : std::errc()};
    });
    unread.Store(Scores("C 100")[0], kNow);
    EXPECT_TRUE(unread.HasUnsaved());
    EXPECT_EQ(ReadScoreFile(app / kScoreFileName, {}), Scores("A 900 B 500"));
}

// Tables come back in the order asked, and a worker that goes right after a store finishes it.
TEST(ScoreWorker, FinishesWhatWasAskedBeforeItGoes) {
    const TempFolder folder;
    std::vector<std::int32_t> best;
    {
        ScoreWorker worker({folder, folder / "none.ini"},
                           [&](const ScoreTable& table) { best.push_back(table[0].Points); });
        worker.Load();
        worker.Store(Scores("A 900")[0]);
        worker.Store(Scores("B 950")[0]);
    }
    EXPECT_EQ(best, (std::vector<std::int32_t>{0, 900, 950}));
    EXPECT_EQ(ReadScoreFile(folder / kScoreFileName, {})[1].Points, 900);
}

// One holder at a time. A lock that the folder's own clock makes older than the stale age is
// taken over at the first look, whatever this machine's clock says; one stamped in the future
// only once it has stood unchanged through the stale age of this process's own sightings. A
// holder past its sure hold asks the folder, and having lost the lock leaves the new one alone.
TEST(FileLock, OneHolderAtATimeAStaleHoldIsTakenOver) {
    const TempFolder folder;
    const fs::path lock = folder / "Zintu.lck";
    const LockTiming brief{50ms, 10s, 1ms, 0ms}, patient{5s, 100ms, 1ms, 0ms};
    LockWatch first, second;
    std::optional<FileLock> held = FileLock::Acquire(lock, first, patient);
    ASSERT_TRUE(held && held->IsHeld());
    EXPECT_FALSE(FileLock::Acquire(lock, second, brief));
    std::this_thread::sleep_for(60ms);  // past half the stale age: the hold is no longer sure
    EXPECT_TRUE(held->IsHeld());
    std::optional<FileLock> taken = FileLock::Acquire(lock, second, patient);
    ASSERT_TRUE(taken && taken->IsHeld());
    EXPECT_FALSE(held->IsHeld());
    held.reset();
    EXPECT_TRUE(taken->IsHeld());
    taken.reset();
    EXPECT_FALSE(fs::exists(lock));
    for (const auto& [age, timing, takenOver] :
         {std::tuple(24h, brief, true), {-24h, brief, false}, {-24h, patient, true}}) {
        fs::create_directory(lock);
        WriteBytes(lock / "holder", Bytes{'x'}, age);
        LockWatch watch;
        EXPECT_EQ(FileLock::Acquire(lock, watch, timing).has_value(), takenOver) << age.count();
        EXPECT_EQ(fs::exists(lock), !takenOver);
        fs::remove_all(lock);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 0) << "no probe left";
    std::error_code removal;
    fs::create_directory(folder / "x");
    RemoveEmptyFolder(folder / "x", removal);
    EXPECT_TRUE(!removal && !fs::exists(folder / "x"));
    EXPECT_EQ(CreateNewFile(folder / "none" / "x", Bytes{1}), NewFileResult::Failed);
    EXPECT_FALSE(FileLock::Acquire(folder / "none" / "Zintu.lck", first, patient));
#ifndef _WIN32  // failures a share lifts by itself, as POSIX reports them; Windows has its own
    for (const int code : {EIO, EBUSY, EAGAIN, EINTR, ENOENT})
        EXPECT_EQ(IsTransientError({code, std::system_category()}), code != ENOENT) << code;
    EXPECT_TRUE(IsTransientError({EBUSY, std::generic_category()}) &&
                !IsTransientError({EBUSY, std::iostream_category()}));
#endif
    // A new file, holder's text or time starts the watch afresh.
    LockWatch watch;
    const FileStamp at{5}, later{6};
    EXPECT_FALSE(watch.IsStale(lock, {{1}, at}, {}, 0ms));
    EXPECT_TRUE(watch.IsStale(lock, {{1}, at}, {}, 0ms));
    EXPECT_FALSE(watch.IsStale(lock, {{2}, at}, {}, 0ms) ||
                 watch.IsStale(lock, {{2}, later}, {}, 0ms) ||
                 watch.IsStale(folder / "x", {{2}, later}, {}, 0ms));
}

TEST(Settings, FirstLineNamesTheSharedFolder) {
    using enum PathStyle;
    // Not UTF-8 and so Windows-1251: a bad follower, cut short, overlong, a surrogate.
    const std::tuple<std::string_view, PathStyle, std::u32string_view> cases[] = {
        {"C:\\Zintu\\\r\nrest", Windows, U"C:\\Zintu\\"},
        {"\\\\server\\share/", Windows, U"\\\\server\\share/"},
        {"/srv/zintu\\\nrest", Posix, U"/srv/zintu\\/"},  // a name character there
        {"\xEF\xBB\xBF/srv/\r/x", Posix, U"/srv/"},
        {"/\xDF\xBF\xEF\xBF\xBC\xF4\x8F\xBF\xBF", Posix, U"/\u07FF\uFFFC\U0010FFFF/"},
        {"/\xF4\x90\x80\x80", Posix, U"/фђЂЂ/"},  // one past the last code point
        {"D:\\\xC8\xE3\xF0\xFB", Windows, U"D:\\Игры\\"},
        {"/\xD0\xB3\xC8", Posix, U"/РіИ/"},
        {"/\xE0\x80\xAF", Posix, U"/аЂЇ/"},
        {"/\xC1\xBF", Posix, U"/Бї/"},
        {"/\xC2\x80", Posix, U"/\u0080/"},
        {"/\xED\xA0\x80", Posix, U"/н\u00A0Ђ/"},
        {"  \t \n/srv", Posix, U""},
        {std::string_view("/srv\0/x", 7), Posix, U""}};
    for (const auto& [bytes, style, expected] : cases) {
        EXPECT_EQ(SharedScoreDirFromSettings(bytes, style).u32string(), expected) << bytes;
    }
}

// Every day over the years a file may hold, both ways, as the standard library's calendar has
// it; 1970-01-01 is OLE day 25569.
TEST(OleDate, EveryDayBothWaysAndNow) {
    for (int ole = -1'000'000; ole < 3'000'000; ++ole) {
        const std::chrono::year_month_day day{
            std::chrono::sys_days{std::chrono::days{ole - 25569}}};
        const CivilDate civil = CivilFromOleDate(ole + 0.75);
        ASSERT_EQ(
            std::tie(civil.Year, civil.Month, civil.Day),
            std::tuple(int(day.year()), int(unsigned(day.month())), int(unsigned(day.day()))));
        ASSERT_EQ(OleDateFromCivil(civil), ole);
    }
    const CivilDate none = CivilFromOleDate(NAN);  // day 0
    EXPECT_EQ(std::tie(none.Year, none.Month, none.Day), std::tuple(1899, 12, 30));
    EXPECT_EQ(OleTimeOfDay(18, 0, 1), 0.75 + 1 / 86400.0);
}

}  // namespace
}  // namespace zintu
