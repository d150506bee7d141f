#pragma once

#include "ScoreStore.h"

namespace zintu {

// The score files on disk: the local copy and, when the settings name one, the shared copy.
class ScoreFileStore final : public ScoreStore {
  public:
    explicit ScoreFileStore(ScoreFiles files);

    LoadedScores Load(const OleDateTime& now) override;
    LoadedScores Peek(const OleDateTime& now) override;
    LoadedScores Store(const std::optional<ScoreRecord>& entry, const OleDateTime& now) override;
    const ScoreFiles& Files() const { return book_.Files(); }

  private:
    ScoreBook book_;
};

}  // namespace zintu
