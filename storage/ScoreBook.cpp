#include "storage/ScoreBook.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "storage/FileLock.h"
#include "storage/ScoreFile.h"
#include "storage/ScoreMerge.h"
#include "storage/Settings.h"

namespace zintu {
namespace {

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

// A blank table would start a shared copy that every later load ignores as blank.
bool IsMerged(const LoadedScores& loaded) {
    return !loaded.SharedScoreDir.empty() && loaded.Table.front().Points > 0;
}

}  // namespace

// Everything between reading the shared copy and writing it back happens under its lock, so
// that no other installation's entry is overwritten meanwhile.
struct ScoreBook::Locked {
    std::optional<FileLock> Lock;
    LoadedScores Loaded;
};

ScoreBook::ScoreBook(ScoreFiles files, const LockTiming& timing)
    : files_(std::move(files)), timing_(timing) {}

ScoreBook::Locked ScoreBook::ReadAndMerge(const OleDateTime& now, bool waitForLock) {
    const std::filesystem::path sharedDir = ReadSharedScoreDir(files_.SettingsFile);
    if (sharedDir.empty()) {
        return {std::nullopt, {ReadScoreFile(files_.AppFolder / kScoreFileName, now), {}}};
    }
    std::optional<FileLock> lock;
    if (waitForLock) {
        lock = FileLock::Acquire(sharedDir / kScoreLockFileName, watch_, timing_);
    }
    const bool locked = lock.has_value();
    return {std::move(lock), MergeWithShared(files_, sharedDir, locked, now)};
}

// Without the lock the shared copy is still read, since every write of it is whole, but not
// written; nor once another process has taken the lock over from a holder it thought dead.
LoadedScores ScoreBook::Write(Locked& locked, bool sharedFirst) {
    LoadedScores& loaded = locked.Loaded;
    const bool merged = IsMerged(loaded);
    const auto writeShared = [&] {
        const auto stillHeld = [&] { return locked.Lock->IsHeld(); };
        if (!locked.Lock || (merged && !WriteScoreFile(loaded.SharedScoreDir / kScoreFileName,
                                                       loaded.Table, stillHeld))) {
            loaded.SharedScoreDir.clear();
        }
    };
    if (sharedFirst) {
        writeShared();
    }
    if (merged || !sharedFirst) {
        WriteScoreFile(files_.AppFolder / kScoreFileName, loaded.Table);
    }
    if (!sharedFirst) {
        writeShared();
    }
    return loaded;
}

LoadedScores ScoreBook::Load(const OleDateTime& now) {
    Locked locked = ReadAndMerge(now, true);
    return Write(locked, true);
}

LoadedScores ScoreBook::Peek(const OleDateTime& now) {
    return ReadAndMerge(now, false).Loaded;
}

LoadedScores ScoreBook::Store(const std::optional<ScoreRecord>& entry, const OleDateTime& now) {
    Locked locked = ReadAndMerge(now, true);
    if (!entry) {
        return Write(locked, true);
    }
    ScoreTable& table = locked.Loaded.Table;
    InsertRecord(table, FindRank(table, entry->Points), *entry);
    return Write(locked, false);
}

}  // namespace zintu
