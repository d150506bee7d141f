#pragma once

#include "ScoreStore.h"

namespace zintu::test {

// A score table in memory that takes entries as the files would, minus the sharing.
class FakeScoreStore : public ScoreStore {
  public:
    LoadedScores Load(const OleDateTime&) override { return {Table, {}}; }
    LoadedScores Store(const ScoreRecord& entry, const OleDateTime&) override {
        InsertRecord(Table, FindRank(Table, entry.Points), entry);
        return {Table, {}};
    }

    ScoreTable Table{};
};

}  // namespace zintu::test
