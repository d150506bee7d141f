#include "ScoreFileStore.h"

#include <utility>

namespace zintu {

ScoreFileStore::ScoreFileStore(ScoreFiles files) : files_(std::move(files)) {}

LoadedScores ScoreFileStore::Load(const OleDateTime& now) {
    return LoadScoreTable(files_, now);
}

LoadedScores ScoreFileStore::Store(const ScoreRecord& entry, const OleDateTime& now) {
    return StoreRecord(files_, entry, now);
}

}  // namespace zintu
