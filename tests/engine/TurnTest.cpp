#include <cmath>

#include "GameFixture.h"

namespace zintu::test {
namespace {

using Kind = RecordingSurface::Kind;
using Shape = RecordingSurface::Shape;
using Turn = GameFixture;

TEST_F(Turn, SelectingMovesTheMarkAndClickingTheSelectedBallKeepsIt) {
    game.Board[CellIndex(0, 0)] = 1;
    game.Board[CellIndex(4, 2)] = 3;
    EXPECT_EQ(Click(0, 0), TurnOutcome::Selected);
    EXPECT_EQ(surface.Shapes, (std::vector<Shape>{{Kind::Box, 115, 115, 470, 470, 0},
                                                  {Kind::Disc, 350, 350, 150, 0, 0x0000ff}}));
    surface.Clear();
    EXPECT_EQ(Click(4, 2), TurnOutcome::Selected);
    EXPECT_EQ(surface.Shapes, (std::vector<Shape>{{Kind::Box, 115, 115, 470, 470, kFace},
                                                  {Kind::Disc, 350, 350, 150, 0, 0x0000ff},
                                                  {Kind::Box, 2115, 1115, 470, 470, 0},
                                                  {Kind::Disc, 2350, 1350, 150, 0, 0x00ffff}}));
    EXPECT_EQ(std::pair(game.SelCol, game.SelRow), (std::pair<std::int16_t, std::int16_t>(4, 2)));
    surface.Clear();
    EXPECT_EQ(Click(4, 2), TurnOutcome::Ignored) << "a second click does not deselect";
    EXPECT_TRUE(surface.Shapes.empty());
}

TEST_F(Turn, ReleasesOffTheBoardOrOnEmptyCellsWithoutSelectionAreIgnored) {
    game.Board[CellIndex(0, 0)] = 1;
    for (const auto& [x, y] : std::vector<std::pair<double, double>>{
             {99.9, 300}, {300, 4600.6}, {4600, 300}, {300, 4599.6}, {std::nan(""), 300}}) {
        EXPECT_EQ(game.ReleaseOnBoard(x, y, [] {}), TurnOutcome::Ignored) << x << " " << y;
    }
    EXPECT_EQ(game.ReleaseOnBoard(100, 100, [] {}), TurnOutcome::Selected) << "edges count";
    game.SelCol = -1;
    EXPECT_EQ(Click(5, 5), TurnOutcome::Ignored);
    EXPECT_TRUE(surface.Balls.empty());
}

TEST_F(Turn, RefusedMoveBeepsAndKeepsTheSelection) {
    game.Board[CellIndex(0, 0)] = 1;
    for (const int wall : {CellIndex(2, 0), CellIndex(0, 1), CellIndex(1, 1)}) {
        game.Board[wall] = 4;
    }
    ASSERT_EQ(Click(0, 0), TurnOutcome::Selected);
    EXPECT_EQ(Click(4, 4), TurnOutcome::Refused);
    EXPECT_EQ(surface.Beeps, 1);
    EXPECT_EQ(game.SelCol, 0);
    EXPECT_EQ(Click(1, 0), TurnOutcome::MovedAndDropped) << "its free neighbour is reachable";
    EXPECT_EQ(game.Board[CellIndex(1, 0)], 1);
}

TEST_F(Turn, MoveWithRunScoresAndKeepsThePreview) {
    for (int col = 0; col < 4; ++col) {
        game.Board[CellIndex(col, 0)] = 1;
    }
    game.Board[CellIndex(4, 5)] = 1;
    game.NextColors = {0, 2, 3, 4};
    ASSERT_EQ(Click(4, 5), TurnOutcome::Selected);
    EXPECT_EQ(Click(4, 0), TurnOutcome::MovedWithRun);
    EXPECT_EQ(game.Board, Grid{});
    EXPECT_EQ(game.Score, 10);
    EXPECT_EQ(game.SelCol, -1);
    EXPECT_EQ(game.DrawCount, 0) << "nothing dropped, no new preview";
    EXPECT_EQ(game.NextColors, (std::array<ColorCode, 4>{0, 2, 3, 4}));
}

TEST_F(Turn, MoveWithoutRunDropsThePreviewInOrderAndChoosesANewOne) {
    game.Board[CellIndex(0, 0)] = 1;
    game.Generator.Reset();
    game.Generator.Seed(0.4f);
    game.NextColors = {0, 5, 5, 6};
    ASSERT_EQ(Click(0, 0), TurnOutcome::Selected);
    EXPECT_EQ(Click(8, 8), TurnOutcome::MovedAndDropped);
    EXPECT_EQ(game.Board[CellIndex(0, 0)], 0);
    EXPECT_EQ(game.Board[CellIndex(8, 8)], 1);
    EXPECT_EQ(game.DrawCount, 3 + 3);
    EXPECT_EQ(std::count(game.Board.begin(), game.Board.end(), 5), 2);
    EXPECT_EQ(std::count(game.Board.begin(), game.Board.end(), 6), 1);
    EXPECT_EQ(std::pair(game.SelCol, gameOvers), (std::pair<std::int16_t, int>(-1, 0)));
    const auto discs = surface.Of(Kind::Disc);
    ASSERT_GE(discs.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(discs[discs.size() - 3 + i], (Shape{Kind::Disc, 5030 + 350 * i, 250, 150, 0,
                                                      game.Palette[game.NextColors[i + 1]]}))
            << "the new preview is drawn last";
    }
}

TEST_F(Turn, GameEndsOnlyWhenTheDropsFillTheBoard) {
    struct Row {
        std::vector<int> holes;  // besides (0, 0), where the ball from (1, 0) moves
        bool whiteRun;           // the first drop completes a run of whites and frees five
        int gameOvers;
        int emptyAfter;
    };
    for (const Row& r : {Row{{}, false, 1, 0}, Row{{80}, false, 1, 0}, Row{{9, 80}, false, 1, 0},
                         Row{{9, 10, 80}, false, 0, 1}, Row{{72}, true, 0, 5}}) {
        game.Board = FullBoardWithoutRuns();
        for (int col = 1; col < 5 && r.whiteRun; ++col) {
            game.Board[CellIndex(col, 8)] = 7;
        }
        for (const int hole : r.holes) {
            game.Board[hole] = 0;
        }
        game.Board[0] = 0;
        game.NextColors = {0, 7, 2, 2};
        game.Score = 15;
        game.DrawCount = 0;
        gameOvers = 0;
        std::int16_t emptyAtGameOver = -1;
        ASSERT_EQ(Click(1, 0), TurnOutcome::Selected);
        game.ReleaseOnBoard(350, 350, [&] {
            ++gameOvers;
            emptyAtGameOver = game.CountEmpty();
        });
        EXPECT_EQ(gameOvers, r.gameOvers) << r.holes.size();
        EXPECT_EQ(game.CountEmpty(), r.emptyAfter) << r.holes.size();
        EXPECT_EQ(emptyAtGameOver, r.gameOvers > 0 ? 0 : -1) << "before the new preview";
        EXPECT_EQ(game.DrawCount, std::min<int>(r.holes.size() + 1, 3) + 3)
            << "only as many drops as empty cells";
        EXPECT_EQ(game.Score, 15) << "the game's own run scores nothing";
    }
}

TEST(GameOverText, TwoCarriageReturnsAndTheScore) {
    EXPECT_EQ(GameOverText(1234),
              "\xD0\x98\xD0\xB3\xD1\x80\xD0\xB0 \xD0\xB7\xD0\xB0\xD0\xBA\xD0\xBE\xD0\xBD\xD1\x87"
              "\xD0\xB5\xD0\xBD\xD0\xB0.\r\r\xD0\x92\xD0\xB0\xD1\x88 \xD1\x82\xD0\xB5\xD0\xBA"
              "\xD1\x83\xD1\x89\xD0\xB8\xD0\xB9 \xD1\x80\xD0\xB5\xD0\xB7\xD1\x83\xD0\xBB\xD1\x8C"
              "\xD1\x82\xD0\xB0\xD1\x82 - 1234");
}

}  // namespace
}  // namespace zintu::test
