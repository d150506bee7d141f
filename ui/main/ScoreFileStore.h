#pragma once

#include "engine/ScoreStore.h"
#include "storage/ScoreBook.h"

namespace zintu {

// The game's score table kept in the score files: the local copy and, when the settings name
// one, the shared copy, dated by this machine's clock.
class ScoreFileStore final : public ScoreStore {
  public:
    explicit ScoreFileStore(ScoreFiles files);

    OleDateTime Now() const override;
    ScoreTable Load() override;
    ScoreTable Peek() override;
    ScoreTable Store(const std::optional<ScoreRecord>& entry) override;
    const ScoreFiles& Files() const { return book_.Files(); }

  private:
    ScoreBook book_;
};

}  // namespace zintu
