#include "ScoreFileStore.h"

#include <utility>

namespace zintu {

ScoreFileStore::ScoreFileStore(ScoreFiles files) : book_(std::move(files)) {}

LoadedScores ScoreFileStore::Load(const OleDateTime& now) {
    return book_.Load(now);
}

LoadedScores ScoreFileStore::Peek(const OleDateTime& now) {
    return book_.Peek(now);
}

LoadedScores ScoreFileStore::Store(const std::optional<ScoreRecord>& entry,
                                   const OleDateTime& now) {
    return book_.Store(entry, now);
}

}  // namespace zintu
