#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ScoreTable.h"
#include "storage/FileLock.h"

namespace zintu {

inline constexpr std::string_view kScoreFileName = "Zintu.scr";
// Beside the shared copy while one installation reads, merges and writes it.
inline constexpr std::string_view kScoreLockFileName = "Zintu.lck";

struct ScoreFiles {
    std::filesystem::path AppFolder;     // holds the local Zintu.scr
    std::filesystem::path SettingsFile;  // Zintu.ini, whose first line names the shared folder
};

struct LoadedScores {
    ScoreTable Table;
    std::filesystem::path SharedScoreDir;  // empty unless a shared copy is in use and writable now
};

// The table of the score files: the local copy and, when the settings name one, the shared
// copy. The shared copy is written only while this process holds the folder's lock, and only
// after checking that the lock is still its own. Each call may wait for the lock, so callers
// that a player watches run it elsewhere.
class ScoreBook {
  public:
    // `faults`, for tests, stand in the way of every read and write of a file.
    explicit ScoreBook(ScoreFiles files, const LockTiming& timing = {}, CallFaults faults = {});

    // Reads the shared copy (when the settings name one) and the local copy, creating a missing
    // local one blank, and merges them. The shared copy is read without the lock; only when the
    // merge changes its entries, or a folder without a copy can start one with a score, is it
    // locked, merged again and written, before the local copy. A local copy whose entries
    // differ from the merge is written too, unless it could not be read.
    LoadedScores Load(const OleDateTime& now);

    // Merges once more under the lock, so that entries stored elsewhere while the player typed a
    // name are not overwritten, inserts the entry where it still has a place, and writes
    // the local copy and then the shared one. Returns the table as written. An entry that neither
    // copy took is kept and added again by every later call until one does.
    LoadedScores Store(const ScoreRecord& entry, const OleDateTime& now);

    const ScoreFiles& Files() const { return files_; }
    bool HasUnsaved() const { return !unsaved_.empty(); }

  private:
    struct Locked;
    std::optional<LoadedScores> LoadUnlocked(const std::filesystem::path& sharedDir,
                                             const OleDateTime& now);
    Locked LockAndMerge(const std::filesystem::path& sharedDir, const OleDateTime& now);
    LoadedScores Write(Locked& locked, bool sharedFirst);
    void AddUnsaved(ScoreTable& table) const;

    ScoreFiles files_;
    LockTiming timing_;
    CallFaults faults_;
    LockWatch watch_;
    std::vector<ScoreRecord> unsaved_;
};

}  // namespace zintu
