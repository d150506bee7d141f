#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Zintu.h"
#include "tests/fakes/Fakes.h"

namespace zintu::test {

constexpr ColorValue kFace = 0xc0c0c0;

// Grids drawn as text, side by side, nine cells a line from the top; missing rows are empty.
// '.' 0, R G Y B M C W colours 1 to 7, 1 to 9 and a to z 1 to 35; S is the ball a path starts
// from (1), T its empty target.
inline std::vector<Grid> Grids(std::string_view picture, int* start = nullptr,
                               int* target = nullptr) {
    std::vector<std::string> texts;
    std::istringstream lines{std::string(picture)};
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        for (std::size_t k = 0; words >> line; ++k) {
            texts.resize(std::max(texts.size(), k + 1));
            texts[k] += line;
        }
    }
    std::vector<Grid> grids(texts.size());
    for (std::size_t i = 0; i < texts.size() * 81; ++i) {
        const char drawn = i % 81 < texts[i / 81].size() ? texts[i / 81][i % 81] : '.';
        const char ch = drawn == 'S' ? 'R' : drawn == 'T' ? '.' : drawn;
        const auto colour = std::string_view(".RGYBMCW").find(ch);
        const auto number = std::string_view(".123456789abcdefghijklmnopqrstuvwxyz").find(ch);
        EXPECT_NE(std::min(colour, number), std::string_view::npos) << "unknown cell " << ch;
        grids[i / 81][i % 81] = static_cast<std::int16_t>(std::min(colour, number));
    }
    if (start) {
        std::tie(*start, *target) = std::pair(texts[0].find('S'), texts[0].find('T'));
    }
    return grids;
}

inline RandomGenerator Seeded(float seed) {
    RandomGenerator generator;
    generator.Seed(seed);
    return generator;
}

// A game on a recording surface and a score table in memory.
class GameFixture : public ::testing::Test {
  protected:
    GameFixture() {
        game.NewGame(0.5f, kFace);
        scores.Calls.clear();
    }
    // The position a saved game would restore; nothing selected.
    void Restore(const Grid& board, std::int32_t score = 0,
                 std::array<ColorCode, 4> nextColors = {}, std::int32_t drawCount = 0) {
        game.RestorePosition({board, score, nextColors, 0.5f, drawCount});
    }
    // Releases the left button over a cell, by default at its centre; `within` is measured
    // from the cell's top left corner on the grid line.
    TurnOutcome Click(int cell, TwipPoint within = {kCellSize / 2, kCellSize / 2}) {
        const TwipPoint corner = CellCorner(cell % kBoardSize, cell / kBoardSize);
        return game.ReleaseOnBoard(corner.X + within.X, corner.Y + within.Y,
                                   [this] { ++gameOvers; });
    }

    long Count(ColorCode code) const {
        return std::count(state.Board.begin(), state.Board.end(), code);
    }

    RecordingSurface surface;
    FakeScoreStore scores;
    Zintu game{surface, surface, surface, scores};
    const GameState& state = game.State();
    int gameOvers = 0;
};

}  // namespace zintu::test
