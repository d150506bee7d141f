#include <algorithm>
#include <limits>

#include "GameFixture.h"

namespace zintu::test {
namespace {

using Placement = GameFixture;

TEST_F(Placement, RandomColorIsOneToSevenAndCountsEachDraw) {
    game.Generator.Reset();
    game.Generator.Seed(0.5f);
    std::array<int, 9> seen{};
    for (int i = 0; i < 7000; ++i) {
        ++seen[game.RandomColor()];
    }
    EXPECT_EQ(seen[0], 0);
    EXPECT_EQ(seen[8], 0);
    for (int code = 1; code <= 7; ++code) {
        EXPECT_NEAR(seen[code], 1000, 150) << code;
    }
    EXPECT_EQ(game.DrawCount, 7000);

    game.DrawCount = std::numeric_limits<std::int32_t>::max();
    game.RandomColor();
    EXPECT_EQ(game.DrawCount, std::numeric_limits<std::int32_t>::max());
}

TEST_F(Placement, DropVisitsEmptyCellsColumnByColumnAndCountsOneDraw) {
    game.Generator.Reset();
    game.Generator.Seed(0.3f);
    for (int trial = 0; trial < 200; ++trial) {
        SetBoard(FullBoardWithoutRuns());
        // Ten empty cells; column order differs from row order here.
        const std::pair<int, int> holes[] = {{0, 8}, {1, 0}, {1, 5}, {3, 2}, {4, 4},
                                             {5, 1}, {6, 7}, {7, 0}, {8, 3}, {8, 8}};
        for (const auto& [col, row] : holes)
            game.Board[CellIndex(col, row)] = 0;

        RandomGenerator copy = game.Generator;
        const int k = std::max<int>(ScaleDraw(copy.Next(), 10), 1);
        const auto [col, row] = holes[k - 1];
        const std::int32_t draws = game.DrawCount;
        game.DropBall(1);
        ASSERT_EQ(game.Board[CellIndex(col, row)], 1) << "trial " << trial << ", k " << k;
        ASSERT_EQ(game.CountEmpty(), 9);
        ASSERT_EQ(game.DrawCount, draws + 1);
    }
}

TEST_F(Placement, LastEmptyCellIsNeverTakenWhileOthersAreEmpty) {
    game.Generator.Reset();
    game.Generator.Seed(0.9f);
    for (int trial = 0; trial < 300; ++trial) {
        SetBoard(FullBoardWithoutRuns());
        game.Board[CellIndex(2, 6)] = 0;
        game.Board[CellIndex(8, 8)] = 0;
        game.DropBall(3);
        ASSERT_EQ(game.Board[CellIndex(2, 6)], 3) << "two empty cells: always the first";

        game.Board[CellIndex(2, 6)] = 0;
        game.Board[CellIndex(6, 2)] = 0;
        game.DropBall(3);
        ASSERT_EQ(game.Board[CellIndex(8, 8)], 0) << "three empty cells: never the last";
    }
}

TEST_F(Placement, FullBoardDrawsNothingAndOneEmptyCellIsAlwaysFilled) {
    SetBoard(FullBoardWithoutRuns());
    const Grid full = game.Board;
    game.DropBall(2);
    EXPECT_EQ(game.Board, full);
    EXPECT_EQ(game.DrawCount, 0);
    EXPECT_TRUE(surface.Shapes.empty());

    game.Board[CellIndex(8, 8)] = 0;
    game.DropBall(2);
    EXPECT_EQ(game.Board[CellIndex(8, 8)], 2);
    EXPECT_EQ(game.DrawCount, 1);
    EXPECT_EQ(
        surface.Of(RecordingSurface::Kind::Disc).back(),
        (RecordingSurface::Shape{RecordingSurface::Kind::Disc, 4350, 4350, 150, 0, 0x00ff00}));
}

TEST_F(Placement, DroppedBallCompletingARunRemovesItWithoutPoints) {
    SetBoard(FullBoardWithoutRuns());
    for (int col = 0; col < 4; ++col)
        game.Board[CellIndex(col, 0)] = 1;
    game.Board[CellIndex(4, 0)] = 0;
    game.Score = 40;
    game.DropBall(1);
    EXPECT_EQ(game.CountEmpty(), 5);
    EXPECT_EQ(game.Score, 40);
    EXPECT_TRUE(game.ScoringOn) << "scoring is back on for the player's moves";
    EXPECT_EQ(surface.Of(RecordingSurface::Kind::Refresh).size(), 16u) << "with its animation";
}

}  // namespace
}  // namespace zintu::test
