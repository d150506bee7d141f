#pragma once

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

    virtual LoadedScores Load(const OleDateTime& now) = 0;
    virtual LoadedScores Store(const ScoreRecord& entry, const OleDateTime& now) = 0;
};

}  // namespace zintu
