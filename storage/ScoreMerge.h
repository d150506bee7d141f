#pragma once

#include <optional>

#include "engine/ScoreTable.h"

namespace zintu {

// The table of ten that the shared and the local copy make together: best points first,
// then the earlier date and time, then names by character code; identical entries count once.
// Nothing to merge (nullopt) while the shared copy holds no entry above 0 points.
std::optional<ScoreTable> MergeScoreTables(const ScoreTable& shared, const ScoreTable& local,
                                           const OleDateTime& now);

// The table that a shared copy not made yet starts from: the local entries in merge order.
ScoreTable StartSharedTable(const ScoreTable& local, const OleDateTime& now);

}  // namespace zintu
