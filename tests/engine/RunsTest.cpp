#include <limits>

#include "GameFixture.h"

namespace zintu::test {
namespace {

using Runs = GameFixture;

TEST_F(Runs, RunsOfFiveAreFoundInAllFourDirections) {
    struct Case {
        const char* name;
        const char* picture;
        int col, row;
    };
    const Case cases[] = {
        {"horizontal",
         "........."
         "........."
         "RRRRR...."
         "........."
         "........."
         "........."
         "........."
         "........."
         ".........",
         2, 2},
        {"vertical",
         "....G...."
         "....G...."
         "....G...."
         "....G...."
         "....G...."
         "........."
         "........."
         "........."
         ".........",
         4, 4},
        {"diagonal",
         "Y........"
         ".Y......."
         "..Y......"
         "...Y....."
         "....Y...."
         "........."
         "........."
         "........."
         ".........",
         0, 0},
        {"anti-diagonal",
         "........."
         "........."
         "........."
         "........."
         "....B...."
         "...B....."
         "..B......"
         ".B......."
         "B........",
         2, 6},
    };
    for (const Case& c : cases) {
        SetBoard(c.picture);
        game.Score = 0;
        const ColorCode code = game.Board[CellIndex(c.col, c.row)];
        EXPECT_TRUE(game.CheckRuns(c.col, c.row, code)) << c.name;
        EXPECT_EQ(game.CountEmpty(), 81) << c.name;
        EXPECT_EQ(game.Score, 10) << c.name;
        EXPECT_EQ(game.Trace[CellIndex(c.col, c.row)], code) << c.name;
        EXPECT_EQ(std::count(game.Trace.begin(), game.Trace.end(), code), 5) << c.name;
    }
}

TEST_F(Runs, FourInARowAndRunsNotThroughTheCentreStay) {
    SetBoard(
        "RRRR....."
        "........."
        "GGGGGG..."
        "........."
        "........."
        "........."
        "........."
        "........."
        ".........");
    const Grid board = game.Board;
    EXPECT_FALSE(game.CheckRuns(3, 0, 1));
    EXPECT_EQ(game.Board, board);
    EXPECT_TRUE(surface.Shapes.empty()) << "nothing is drawn when nothing goes";

    // A green run elsewhere is not looked at from a green ball that is not in it.
    game.Board[CellIndex(8, 8)] = 2;
    EXPECT_FALSE(game.CheckRuns(8, 8, 2));
    EXPECT_EQ(game.Board[CellIndex(0, 2)], 2);
    EXPECT_FALSE(game.CheckRuns(0, 0, 0)) << "an empty code examines nothing";
}

TEST_F(Runs, OnlyTheQualifyingRunsThroughTheCentreLeave) {
    SetBoard(
        "..R......"
        "..R......"
        "RRRRR...."
        "..R..R..."
        "...R....."
        ".R..R...."
        "R........"
        "........."
        "........R");
    EXPECT_TRUE(game.CheckRuns(2, 2, 1));
    EXPECT_EQ(game.Board, ParseGrid("..R......"
                                    "..R......"
                                    "........."
                                    "..R..R..."
                                    "...R....."
                                    ".R..R...."
                                    "R........"
                                    "........."
                                    "........R"))
        << "a column of four, a corner neighbour and a run elsewhere all stay";
    EXPECT_EQ(game.Score, 10);
}

TEST_F(Runs, CrossingRunsShareTheCentreAndMarkTheirDirections) {
    SetBoard(
        "........."
        "........."
        "....G...."
        "....G...."
        "..GGGGG.."
        "....G...."
        "....G...."
        "........."
        ".........");
    EXPECT_TRUE(game.CheckRuns(4, 4, 2));
    EXPECT_EQ(game.CountEmpty(), 81);
    EXPECT_EQ(game.Score, 60);
    EXPECT_EQ(game.Marks[CellIndex(4, 4)], 1);
    EXPECT_EQ(game.Marks[CellIndex(2, 4)], 1);
    EXPECT_EQ(game.Marks[CellIndex(6, 4)], 1);
    EXPECT_EQ(game.Marks[CellIndex(4, 2)], 2);
    EXPECT_EQ(game.Marks[CellIndex(4, 6)], 2);
    EXPECT_EQ(std::count(game.Trace.begin(), game.Trace.end(), 2), 9);
    EXPECT_EQ(surface.ScoreCaptions.back(), 60);
}

TEST_F(Runs, ThreeRunsAndLongRunsScoreByTheTable) {
    SetBoard(
        "M...M...."
        ".M..M...."
        "..M.M...."
        "...MM...."
        "MMMMMMMMM"
        "........."
        "........."
        "........."
        ".........");
    EXPECT_TRUE(game.CheckRuns(4, 4, 5));
    EXPECT_EQ(game.Score, 300);
    EXPECT_EQ(game.CountEmpty(), 81) << "9 + 4 + 4 balls, the centre once";

    const char* const longRun =
        "........."
        "CCCCCCCCC"
        "........."
        "........."
        "........."
        "........."
        "........."
        "........."
        ".........";
    SetBoard(longRun);
    game.Score = 0;
    EXPECT_TRUE(game.CheckRuns(0, 1, 6));
    EXPECT_EQ(game.Score, 42);

    SetBoard(longRun);
    game.Score = std::numeric_limits<std::int32_t>::max() - 5;
    EXPECT_TRUE(game.CheckRuns(0, 1, 6));
    EXPECT_EQ(game.Score, std::numeric_limits<std::int32_t>::max()) << "stops at the limit";
}

TEST_F(Runs, NoPointsWhileScoringIsOff) {
    SetBoard(
        "WWWWW...."
        "........."
        "........."
        "........."
        "........."
        "........."
        "........."
        "........."
        ".........");
    game.ScoringOn = false;
    game.Score = 7;
    EXPECT_TRUE(game.CheckRuns(4, 0, 7));
    EXPECT_EQ(game.CountEmpty(), 81);
    EXPECT_EQ(game.Score, 7);
    EXPECT_TRUE(surface.ScoreCaptions.empty());
}

TEST(LinePoints, SingleRunsByLength) {
    EXPECT_EQ(Zintu::LinePoints(5, 1, 1, 1), 10);
    EXPECT_EQ(Zintu::LinePoints(1, 6, 1, 1), 12);
    EXPECT_EQ(Zintu::LinePoints(1, 1, 7, 1), 18);
    EXPECT_EQ(Zintu::LinePoints(1, 1, 1, 8), 28);
    EXPECT_EQ(Zintu::LinePoints(9, 4, 4, 4), 42);
}

TEST(LinePoints, TwoRunsBySumOfLengths) {
    const int expected[] = {60, 82, 108, 138, 172, 210, 252, 298, 348};
    for (int sum = 10; sum <= 18; ++sum) {
        const int first = sum / 2;
        EXPECT_EQ(Zintu::LinePoints(first, 1, sum - first, 1), expected[sum - 10]) << sum;
        EXPECT_EQ(Zintu::LinePoints(1, sum - first, 4, first), expected[sum - 10]) << sum;
    }
}

TEST(LinePoints, ThreeOrFourRunsAlwaysThreeHundred) {
    EXPECT_EQ(Zintu::LinePoints(5, 5, 5, 1), 300);
    EXPECT_EQ(Zintu::LinePoints(9, 9, 9, 9), 300);
    EXPECT_EQ(Zintu::LinePoints(4, 4, 4, 4), 0);
}

}  // namespace
}  // namespace zintu::test
