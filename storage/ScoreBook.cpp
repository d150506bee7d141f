#include "ScoreBook.h"

#include <algorithm>
#include <optional>

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

LoadedScores MergeWithShared(const ScoreFiles& files, const std::filesystem::path& sharedDir,
                             const OleDateTime& now) {
    const std::filesystem::path sharedFile = sharedDir / kScoreFileName;
    const ScoreTable local = ReadScoreFile(files.AppFolder / kScoreFileName, now);
    if (IsMissingFile(sharedFile)) {
        return {StartSharedTable(local, now), sharedDir};
    }
    if (auto merged = MergeScoreTables(ReadScoreFile(sharedFile, now), local, now)) {
        return {*merged, sharedDir};
    }
    return {local, {}};
}

// Without the lock the shared copy is left out, as when it cannot be reached.
LockedScores ReadAndMerge(const ScoreFiles& files, const OleDateTime& now) {
    const std::filesystem::path sharedDir = ReadSharedScoreDir(files.SettingsFile);
    LockedScores locked;
    if (!sharedDir.empty()) {
        locked.Lock = FileLock::Acquire(sharedDir / kScoreLockFileName);
    }
    locked.Loaded = locked.Lock
                        ? MergeWithShared(files, sharedDir, now)
                        : LoadedScores{ReadScoreFile(files.AppFolder / kScoreFileName, now), {}};
    return locked;
}

// A blank table would start a shared copy that every later load ignores as blank.
bool WritesSharedCopy(const LoadedScores& loaded) {
    return !loaded.SharedScoreDir.empty() && loaded.Table.front().Points > 0;
}

}  // namespace

LoadedScores LoadScoreTable(const ScoreFiles& files, const OleDateTime& now) {
    const LockedScores locked = ReadAndMerge(files, now);
    const LoadedScores& loaded = locked.Loaded;
    if (WritesSharedCopy(loaded)) {
        WriteScoreFile(loaded.SharedScoreDir / kScoreFileName, loaded.Table);
        WriteScoreFile(files.AppFolder / kScoreFileName, loaded.Table);
    }
    return loaded;
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
    LoadedScores& fresh = locked.Loaded;
    InsertRecord(fresh.Table, FindRank(fresh.Table, entry.Points), entry);
    WriteScoreFile(files.AppFolder / kScoreFileName, fresh.Table);
    if (WritesSharedCopy(fresh)) {
        WriteScoreFile(fresh.SharedScoreDir / kScoreFileName, fresh.Table);
    }
    return fresh;
}

}  // namespace zintu
