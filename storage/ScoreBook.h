#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

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
// copy. The shared copy is written only while this process holds the folder's lock, which each
// call waits for about two seconds at most, and only after checking that the lock is still its
// own.
class ScoreBook {
  public:
    explicit ScoreBook(ScoreFiles files, const LockTiming& timing = {});

    // Reads the shared copy (when the settings name one) and the local copy, creating a missing
    // local one blank; when the shared copy holds scored entries, the merged table is written to
    // the shared copy and then to the local one. A shared folder without a copy yet gets one as
    // soon as the table holds a score.
    LoadedScores Load(const OleDateTime& now);

    // The merged table as the files hold it now, without waiting for the lock or writing it.
    LoadedScores Peek(const OleDateTime& now);

    // Merges once more with the files as they are now, so that entries stored elsewhere while the
    // player typed a name are not overwritten, inserts the entry (if any) where it still has a
    // place, and writes the local copy and then the shared one. Returns the table as written.
    LoadedScores Store(const std::optional<ScoreRecord>& entry, const OleDateTime& now);

    const ScoreFiles& Files() const { return files_; }

  private:
    struct Locked;
    Locked ReadAndMerge(const OleDateTime& now, bool waitForLock);
    LoadedScores Write(Locked& locked, bool sharedFirst);

    ScoreFiles files_;
    LockTiming timing_;
    LockWatch watch_;
};

}  // namespace zintu
