#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "FakeScoreStore.h"
#include "RecordingSurface.h"
#include "Zintu.h"

namespace zintu::test {

constexpr ColorValue kFace = 0xc0c0c0;

// Grids drawn as text: lines of nine cells from the top, rows left out at the bottom empty,
// grids side by side split by blanks.
// '.' 0; R G Y B M C W colours 1 to 7; S the ball a path starts from, T its empty target;
// 1 to 9 and a to z the numbers 1 to 35; '#' -1.
std::vector<std::string> Cells(std::string_view picture);
Grid ToGrid(std::string_view cells);
// Balls everywhere, no two neighbours in any direction of one colour: no runs.
Grid FullBoardWithoutRuns();

// A game on a recording surface and a score table in memory.
class GameFixture : public ::testing::Test {
  protected:
    GameFixture() {
        game.Palette = {kFace,    0x0000ff, 0x00ff00, 0x00ffff,
                        0xff0000, 0xff00ff, 0xffff00, 0xffffff};
        game.ScoringOn = true;
        game.SelCol = -1;
    }
    // Releases the left button over the centre of a cell.
    TurnOutcome Click(int col, int row) {
        return game.ReleaseOnBoard(350 + 500 * col, 350 + 500 * row, [this] { ++gameOvers; });
    }

    RecordingSurface surface;
    FakeScoreStore scores;
    Zintu game{surface, scores};
    int gameOvers = 0;
};

}  // namespace zintu::test
