#pragma once

#include <array>
#include <cstdint>

namespace zintu {

// A saved game: the board, the score, the preview colours and the random generator's state
// as seed and count of draws since seeding.
struct SavedPosition {
    std::array<std::int16_t, 81> Board{};  // colour codes 0 to 7, cell (c, r) at c + 9 * r
    std::int32_t Score = 0;
    std::array<std::int16_t, 4> NextColors{};  // entry 0 unused
    float RandomSeed = 0;
    std::int32_t DrawCount = 0;

    bool operator==(const SavedPosition&) const = default;
};

}  // namespace zintu
