#pragma once

#include <array>
#include <cstdint>

#include "engine/DrawingSurface.h"
#include "engine/Rules.h"
#include "engine/ScoreTable.h"

namespace zintu {

// What the windows and tests may read of a game. Only the game's own operations change it.
struct GameState {
    Grid Board{};
    std::array<ColorCode, 4> NextColors{};  // entries 1..3 drop in this order
    std::array<ColorValue, 8> Palette{};
    std::int16_t SelCol = -1;  // -1: no ball selected
    std::int16_t SelRow = 0;
    std::int32_t Score = 0;
    std::int32_t BestScore = 0;
    std::int32_t DrawCount = 0;
    float RandomSeed = 0;  // the current game's, as its saved position records it
    ScoreTable Scores{};
};

}  // namespace zintu
