#pragma once

#include "engine/ScoreTable.h"

namespace zintu {

// The high-score table as the game sees it: asked for, it arrives later through
// Zintu::ScoresArrived, so that the game never waits on the score files. The engine reaches the
// score files only through this, as it reaches the screen through DrawingSurface.
class ScoreStore {
  public:
    virtual ~ScoreStore() = default;

    // The local date and time that a new entry is stamped with.
    virtual OleDateTime Now() const = 0;
    // Asks for the table read and merged afresh.
    virtual void RequestLoad() = 0;
    // Asks for the entry to be added where it still has a place once the table is read afresh.
    virtual void RequestStore(const ScoreRecord& entry) = 0;
};

}  // namespace zintu
