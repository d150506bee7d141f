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

namespace fs = std::filesystem;

// Only the lock's holder starts a missing shared copy: it knows the folder is there and that
// nobody else is starting it.
LoadedScores MergeWithShared(const ScoreTable& local, const std::optional<ScoreTable>& shared,
                             const fs::path& sharedDir, bool locked, const OleDateTime& now) {
    if (!shared) {
        return locked ? LoadedScores{StartSharedTable(local, now), sharedDir}
                      : LoadedScores{local, {}};
    }
    if (auto merged = MergeScoreTables(*shared, local, now)) {
        return {*merged, sharedDir};
    }
    return {local, {}};
}

// A blank table would start a shared copy that every later load ignores as blank.
bool IsMerged(const LoadedScores& loaded) {
    return !loaded.SharedScoreDir.empty() && loaded.Table.front().Points > 0;
}

// Blank slots carry the time they were made, which says nothing.
bool SameEntries(const ScoreTable& a, const ScoreTable& b) {
    return std::ranges::equal(a, b, [](const ScoreRecord& x, const ScoreRecord& y) {
        return (x.Points <= 0 && y.Points <= 0) || x == y;
    });
}

}  // namespace

// Everything between reading the shared copy and writing it back happens under its lock, so
// that no other installation's entry is overwritten meanwhile.
struct ScoreBook::Locked {
    std::optional<FileLock> Lock;
    LoadedScores Loaded;
    bool LocalRead = true;  // a local copy that could not be read is left as it is
};

ScoreBook::ScoreBook(ScoreFiles files, const LockTiming& timing, CallFaults faults)
    : files_(std::move(files)), timing_(timing), faults_(std::move(faults)) {}

ScoreBook::Locked ScoreBook::LockAndMerge(const fs::path& sharedDir, const OleDateTime& now) {
    std::optional<FileLock> lock;
    if (!sharedDir.empty()) {
        lock = FileLock::Acquire(sharedDir / kScoreLockFileName, watch_, timing_);
    }
    const auto read = ReadOwnScoreFile(files_.AppFolder / kScoreFileName, now, faults_);
    const ScoreTable local = read.value_or(BlankTable(now));
    if (sharedDir.empty()) {
        return {std::nullopt, {local, {}}, read.has_value()};
    }
    const bool locked = lock.has_value();
    const auto shared = ReadExistingScoreFile(sharedDir / kScoreFileName, now, faults_);
    return {std::move(lock), MergeWithShared(local, shared, sharedDir, locked, now),
            read.has_value()};
}

// Without the lock the shared copy is still read, since every write of it is whole, but not
// written; nor once another process has taken the lock over from a holder it thought dead.
LoadedScores ScoreBook::Write(Locked& locked, bool sharedFirst) {
    LoadedScores& loaded = locked.Loaded;
    const bool merged = IsMerged(loaded);
    bool written = false;
    const auto writeShared = [&] {
        const auto stillHeld = [&] { return locked.Lock->IsHeld(); };
        const bool took = locked.Lock && merged &&
                          WriteScoreFile(loaded.SharedScoreDir / kScoreFileName, loaded.Table,
                                         stillHeld, faults_);
        written = written || took;
        if (!locked.Lock || (merged && !took)) {
            loaded.SharedScoreDir.clear();
        }
    };
    if (sharedFirst) {
        writeShared();
    }
    if (locked.LocalRead && (merged || !sharedFirst || !unsaved_.empty())) {
        written =
            WriteScoreFile(files_.AppFolder / kScoreFileName, loaded.Table, AlwaysWrite, faults_) ||
            written;
    }
    if (!sharedFirst) {
        writeShared();
    }
    if (written) {
        unsaved_.clear();
    }
    return loaded;
}

void ScoreBook::AddUnsaved(ScoreTable& table) const {
    for (const ScoreRecord& entry : unsaved_) {
        if (std::ranges::find(table, entry) == table.end()) {
            InsertRecord(table, FindRank(table, entry.Points), entry);
        }
    }
}

// Most loads find the shared copy holding the merge already: they neither wait nor write it.
std::optional<LoadedScores> ScoreBook::LoadUnlocked(const fs::path& sharedDir,
                                                    const OleDateTime& now) {
    const auto read = ReadOwnScoreFile(files_.AppFolder / kScoreFileName, now, faults_);
    const ScoreTable local = read.value_or(BlankTable(now));
    if (sharedDir.empty()) {
        return LoadedScores{local, {}};
    }
    const auto shared = ReadExistingScoreFile(sharedDir / kScoreFileName, now, faults_);
    if (!shared) {
        // A copy is started only with a score in it.
        return local.front().Points > 0 ? std::nullopt
                                        : std::optional(LoadedScores{local, sharedDir});
    }
    const LoadedScores loaded = MergeWithShared(local, shared, sharedDir, false, now);
    if (!loaded.SharedScoreDir.empty() && !SameEntries(loaded.Table, *shared)) {
        return std::nullopt;
    }
    if (read && !SameEntries(loaded.Table, local)) {
        WriteScoreFile(files_.AppFolder / kScoreFileName, loaded.Table, AlwaysWrite, faults_);
    }
    return loaded;
}

LoadedScores ScoreBook::Load(const OleDateTime& now) {
    const fs::path sharedDir = ReadSharedScoreDir(files_.SettingsFile, faults_);
    if (unsaved_.empty()) {
        if (std::optional<LoadedScores> loaded = LoadUnlocked(sharedDir, now)) {
            return *loaded;
        }
    }
    Locked locked = LockAndMerge(sharedDir, now);
    AddUnsaved(locked.Loaded.Table);
    return Write(locked, true);
}

LoadedScores ScoreBook::Store(const ScoreRecord& entry, const OleDateTime& now) {
    unsaved_.push_back(entry);
    Locked locked = LockAndMerge(ReadSharedScoreDir(files_.SettingsFile, faults_), now);
    AddUnsaved(locked.Loaded.Table);
    return Write(locked, false);
}

}  // namespace zintu
