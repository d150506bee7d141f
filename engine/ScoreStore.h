#pragma once

#include <optional>

#include "engine/ScoreTable.h"

namespace zintu {

// The high-score table as the game sees it: read it, or add an entry and read it back.
// The engine reaches the score files only through this, as it reaches the screen through
// DrawingSurface.
class ScoreStore {
  public:
    virtual ~ScoreStore() = default;

    // The local date and time that a new entry is stamped with.
    virtual OleDateTime Now() const = 0;
    // Reads and merges, writing the merged table back.
    virtual ScoreTable Load() = 0;
    // Reads and merges without waiting for other installations or writing.
    virtual ScoreTable Peek() = 0;
    // Reads, merges, adds the entry if any and writes: one wait for other installations.
    virtual ScoreTable Store(const std::optional<ScoreRecord>& entry) = 0;
};

}  // namespace zintu
