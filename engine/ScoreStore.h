#pragma once

#include <optional>

#include "OleDate.h"
#include "ScoreBook.h"
#include "ScoreRecord.h"

namespace zintu {

// The high-score table as the game sees it: read it, or add an entry and read it back.
// The engine reaches the score files only through this, as it reaches the screen through
// DrawingSurface.
class ScoreStore {
  public:
    virtual ~ScoreStore() = default;

    // Reads and merges, writing the merged table back.
    virtual LoadedScores Load(const OleDateTime& now) = 0;
    // Reads and merges without waiting for other installations or writing.
    virtual LoadedScores Peek(const OleDateTime& now) = 0;
    // Reads, merges, adds the entry if any and writes: one wait for other installations.
    virtual LoadedScores Store(const std::optional<ScoreRecord>& entry, const OleDateTime& now) = 0;
};

}  // namespace zintu
