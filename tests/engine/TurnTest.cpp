#include <cmath>

#include "GameFixture.h"

namespace zintu::test {
namespace {

using Kind = RecordingSurface::Kind;
using Shape = RecordingSurface::Shape;

class Turn : public GameFixture {
  protected:
    // Releases the left button over the centre of a cell.
    TurnOutcome Click(int col, int row) {
        return game.ReleaseOnBoard(350 + 500 * col, 350 + 500 * row, [this] { ++gameOvers; });
    }
    int gameOvers = 0;
};

std::string OneBallAtTopLeft(char colour) {
    std::string picture(81, '.');
    return picture.replace(0, 1, 1, colour);
}

TEST_F(Turn, SelectingMovesTheMarkAndClickingTheSelectedBallKeepsIt) {
    SetBoard(OneBallAtTopLeft('R'));
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
    EXPECT_EQ(game.SelCol, 4);
    EXPECT_EQ(game.SelRow, 2);
    surface.Clear();
    EXPECT_EQ(Click(4, 2), TurnOutcome::Ignored);
    EXPECT_EQ(game.SelCol, 4) << "a second click does not deselect";
    EXPECT_TRUE(surface.Shapes.empty());
}

TEST_F(Turn, ReleasesOffTheBoardOrOnEmptyCellsWithoutSelectionAreIgnored) {
    SetBoard(OneBallAtTopLeft('R'));
    for (const auto& [x, y] : std::vector<std::pair<double, double>>{{99.9, 300},
                                                                     {300, 4600.6},
                                                                     {4600, 300},
                                                                     {300, 4599.6},
                                                                     {5000, 5000},
                                                                     {std::nan(""), 300}}) {
        EXPECT_EQ(game.ReleaseOnBoard(x, y, [] {}), TurnOutcome::Ignored) << x << " " << y;
    }
    EXPECT_EQ(game.ReleaseOnBoard(100, 100, [] {}), TurnOutcome::Selected) << "edges count";
    game.SelCol = -1;
    EXPECT_EQ(Click(5, 5), TurnOutcome::Ignored);
    EXPECT_TRUE(surface.Balls.empty());
}

TEST_F(Turn, RefusedMoveBeepsAndKeepsTheSelection) {
    SetBoard(
        "R.B......"
        "BB......."
        "........."
        "........."
        "........."
        "........."
        "........."
        "........."
        ".........");
    ASSERT_EQ(Click(0, 0), TurnOutcome::Selected);
    EXPECT_EQ(Click(4, 4), TurnOutcome::Refused);
    EXPECT_EQ(surface.Beeps, 1);
    EXPECT_EQ(game.SelCol, 0);
    EXPECT_EQ(game.Board[CellIndex(0, 0)], 1);
    EXPECT_EQ(Click(1, 0), TurnOutcome::MovedAndDropped) << "its free neighbour is reachable";
}

TEST_F(Turn, MoveWithRunScoresAndKeepsThePreview) {
    SetBoard(
        "RRRR....."
        "........."
        "........."
        "........."
        "........."
        "....R...."
        "........."
        "........."
        ".........");
    game.NextColors = {0, 2, 3, 4};
    ASSERT_EQ(Click(4, 5), TurnOutcome::Selected);
    const std::int32_t draws = game.DrawCount;
    EXPECT_EQ(Click(4, 0), TurnOutcome::MovedWithRun);
    EXPECT_EQ(game.CountEmpty(), 81);
    EXPECT_EQ(game.Score, 10);
    EXPECT_EQ(game.SelCol, -1);
    EXPECT_EQ(game.DrawCount, draws) << "nothing dropped, no new preview";
    EXPECT_EQ(game.NextColors, (std::array<ColorCode, 4>{0, 2, 3, 4}));
}

TEST_F(Turn, MoveWithoutRunDropsThePreviewInOrderAndChoosesANewOne) {
    SetBoard(OneBallAtTopLeft('R'));
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
    EXPECT_EQ(game.SelCol, -1);
    EXPECT_EQ(gameOvers, 0);
    // The new preview is drawn last.
    const auto discs = surface.Of(Kind::Disc);
    ASSERT_GE(discs.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        const Shape& disc = discs[discs.size() - 3 + i];
        EXPECT_EQ(disc.a, 5030 + 350 * i);
        EXPECT_EQ(disc.b, 250);
        EXPECT_EQ(disc.color, game.Palette[game.NextColors[i + 1]]);
    }
}

TEST_F(Turn, GameEndsWhenTheLastOneOrTwoCellsAreFilled) {
    for (const int holes : {1, 2}) {
        SetBoard(FullBoardWithoutRuns());
        game.Board[CellIndex(0, 0)] = 0;
        if (holes == 2)
            game.Board[CellIndex(8, 8)] = 0;
        game.NextColors = {0, 1, 1, 1};
        gameOvers = 0;
        const std::int32_t draws = game.DrawCount;
        ASSERT_EQ(Click(1, 0), TurnOutcome::Selected);
        std::int16_t emptyAtGameOver = -1;
        game.ReleaseOnBoard(350, 350, [&] {
            ++gameOvers;
            emptyAtGameOver = game.CountEmpty();
        });
        EXPECT_EQ(gameOvers, 1) << holes;
        EXPECT_EQ(emptyAtGameOver, 0) << holes;
        EXPECT_EQ(game.DrawCount, draws + holes + 3) << "only as many drops as empty cells";
    }
}

TEST_F(Turn, DroppedBallThatCompletesARunKeepsTheGameGoing) {
    SetBoard(FullBoardWithoutRuns());
    for (int row = 1; row < 5; ++row)
        game.Board[CellIndex(0, row)] = 7;  // four whites
    game.Board[CellIndex(0, 0)] = 0;        // first empty cell in column order
    game.Board[CellIndex(8, 8)] = 0;
    game.NextColors = {0, 7, 2, 2};
    game.Score = 15;
    ASSERT_EQ(Click(8, 7), TurnOutcome::Selected);
    EXPECT_EQ(game.ReleaseOnBoard(4350, 4350, [this] { ++gameOvers; }),
              TurnOutcome::MovedAndDropped);
    EXPECT_EQ(gameOvers, 0);
    EXPECT_EQ(game.Score, 15) << "the game's own run scores nothing";
    // Two cells were empty after the move, so two drops: the first completed the column
    // of whites and freed five cells, the second filled one of the six.
    EXPECT_EQ(game.CountEmpty(), 5);
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
