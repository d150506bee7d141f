#pragma once

#include <cstdint>

namespace zintu {

// The captions of the score labels: the current game's points and the table's best.
class ScoreDisplay {
  public:
    virtual ~ScoreDisplay() = default;

    virtual void ShowScore(std::int32_t score) = 0;
    virtual void ShowBestScore(std::int32_t bestScore) = 0;
};

}  // namespace zintu
