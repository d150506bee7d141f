#include "ScoreBook.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "FileLock.h"
#include "ScoreFile.h"
#include "ScoreMerge.h"
#include "Settings.h"

namespace zintu {
namespace {

// Everything between reading the shared copy and writing it back happens under its lock, so
// that no other installation's entry is overwritten meanwhile.
struct LockedScores {
    std::optional<FileLock> Lock;
    LoadedScores Loaded;
};

// Only the lock's holder starts a missing shared copy: it knows the folder is there and that
// nobody else is starting it.
LoadedScores MergeWithShared(const ScoreFiles& files, const std::filesystem::path& sharedDir,
                             bool locked, const OleDateTime& now) {
    const std::filesystem::path sharedFile = sharedDir / kScoreFileName;
    const ScoreTable local = ReadScoreFile(files.AppFolder / kScoreFileName, now);
    if (IsMissingFile(sharedFile)) {
        return locked ? LoadedScores{StartSharedTable(local, now), sharedDir}
                      : LoadedScores{local, {}};
    }
    if (auto merged = MergeScoreTables(ReadScoreFile(sharedFile, now), local, now)) {
        return {*merged, sharedDir};
    }
    return {local, {}};
}

LockedScores ReadAndMerge(const ScoreFiles& files, const OleDateTime& now) {
    const std::filesystem::path sharedDir = ReadSharedScoreDir(files.SettingsFile);
    if (sharedDir.empty()) {
        return {std::nullopt, {ReadScoreFile(files.AppFolder / kScoreFileName, now), {}}};
    }
    std::optional<FileLock> lock = FileLock::Acquire(sharedDir / kScoreLockFileName);
    const bool locked = lock.has_value();
    return {std::move(lock), MergeWithShared(files, sharedDir, locked, now)};
}

// A blank table would start a shared copy that every later load ignores as blank.
bool IsMerged(const LoadedScores& loaded) {
    return !loaded.SharedScoreDir.empty() && loaded.Table.front().Points > 0;
}

// Without the lock the shared copy is still read, since every write of it is whole, but not
// written.
bool WritesSharedCopy(const LockedScores& locked) {
    return locked.Lock && IsMerged(locked.Loaded);
}

LoadedScores Outcome(LockedScores& locked) {
    if (!locked.Lock) {
        locked.Loaded.SharedScoreDir.clear();
    }
    return locked.Loaded;
}

}  // namespace

LoadedScores LoadScoreTable(const ScoreFiles& files, const OleDateTime& now) {
    LockedScores locked = ReadAndMerge(files, now);
    const LoadedScores& loaded = locked.Loaded;
    if (WritesSharedCopy(locked)) {
        WriteScoreFile(loaded.SharedScoreDir / kScoreFileName, loaded.Table);
    }
    if (IsMerged(loaded)) {
        WriteScoreFile(files.AppFolder / kScoreFileName, loaded.Table);
    }
    return Outcome(locked);
}

int FindRank(const ScoreTable& table, std::int32_t score) {
    const auto beaten = std::find_if(table.begin(), table.end(),
                                     [score](const ScoreRecord& r) { return r.Points < score; });
    return beaten == table.end() ? 0 : static_cast<int>(beaten - table.begin()) + 1;
}

std::u32string FitName(std::u32string_view answer) {
    std::u32string name(answer.substr(0, ScoreRecord::kNameLength));
    name.resize(ScoreRecord::kNameLength, U' ');
    return name;
}

bool IsAcceptableName(std::u32string_view fittedName) {
    return fittedName.find_first_not_of(U' ') != std::u32string_view::npos;
}

void InsertRecord(ScoreTable& table, int rank, const ScoreRecord& record) {
    if (rank < 1 || rank > static_cast<int>(table.size())) {
        return;
    }
    const auto place = table.begin() + (rank - 1);
    std::move_backward(place, table.end() - 1, table.end());
    *place = record;
}

LoadedScores StoreRecord(const ScoreFiles& files, const ScoreRecord& entry,
                         const OleDateTime& now) {
    LockedScores locked = ReadAndMerge(files, now);
    ScoreTable& table = locked.Loaded.Table;
    InsertRecord(table, FindRank(table, entry.Points), entry);
    WriteScoreFile(files.AppFolder / kScoreFileName, table);
    if (WritesSharedCopy(locked)) {
        WriteScoreFile(locked.Loaded.SharedScoreDir / kScoreFileName, table);
    }
    return Outcome(locked);
}

}  // namespace zintu
