#include <limits>

#include "tests/engine/GameFixture.h"

namespace zintu::test {
namespace {

// Each row: the board with its start S and target T, and the path expected, or none.
constexpr const char* kPaths[] = {
    // Left before right: the ball between start and target allows both ways round.
    R"(....S.... ...21....
       ....R.... ...3.....
       ....T.... ...45....)",
    R"(........S ........1
       ......... ........2
       ......T.. ......543)",  // right before up
    R"(......... 432......
       TRS...... 5.1......)",  // up before down
    R"(........S ........1
       T........ a98765432)",  // no way over the edge
    R"(S........ 1........
       ......... 2........
       .......T. 3456789a.)",  // left before up, all the way
    R"(SG....... .........
       GT....... .........)",  // diagonal neighbours do not connect
    R"(SR.T..... .........
       R........ .........)",  // balls of every colour block the way
};

TEST(Rules, ShortestPathWithTieBreaksOrNone) {
    for (const char* picture : kPaths) {
        int start = 0, target = 0;
        const auto grids = Grids(picture, &start, &target);
        const Grid distances = WaveDistances(grids[0], start % 9, start / 9);
        ASSERT_EQ(distances[target] >= 1, grids[1] != Grid{}) << picture;
        EXPECT_TRUE(grids[1] == Grid{} ||
                    PathTrace(distances, start % 9, start / 9, target % 9, target / 9) == grids[1])
            << picture;
    }
}

// Each row: the board, the balls that leave marked with the direction of their run (the
// centre with 1), the centre, and the points.
const std::tuple<const char*, int, int, std::int32_t> kRuns[] = {
    {"RRRRR.... 11111....", 2, 0, 10},
    {R"(Y...Y.... 3...4....
        .Y.Y..... .3.4.....
        ..Y...... ..1......
        .Y.Y..... .4.3.....
        Y...Y.... 4...3....)",
     2, 2, 60},
    // Four in a row, and a run elsewhere, are no run through the centre.
    {R"(RRRR..... ...1.....
        ......... .........
        RRRRRR... .........)",
     3, 0, 0},
    // A column of four and corner neighbours stay.
    {R"(..R...... .........
        ..RR..... .........
        RRRRR.... 11111....
        ..RR.R... .........
        ...R..... .........
        .R..R.... .........)",
     2, 2, 10},
    {R"(M...M.... 3...2....
        .M..M.... .3..2....
        ..M.M.... ..3.2....
        ...MM.... ...32....
        MMMMMMMMM 111111111)",
     4, 4, 300},
    {R"(....G.... ....4....
        ...G..... ...4.....
        ..G...... ..4......
        .G....... .4.......
        GGGGG.... 11111....)",
     0, 4, 60},
    // Five along either diagonal alone.
    {R"(R........ 3........
        .R....... .3.......
        ..R...... ..1......
        ...R..... ...3.....
        ....R.... ....3....)",
     2, 2, 10},
    {R"(....C.... ....4....
        ...C..... ...4.....
        ..C...... ..1......
        .C....... .4.......
        C........ 4........)",
     2, 2, 10},
    // A row of four through the centre leaves it marked for the column's run.
    {R"(..B...... ..2......
        ..B...... ..2......
        BBBB..... ..1......
        ..B...... ..2......
        ..B...... ..2......)",
     2, 2, 10},
};

TEST_F(GameFixture, RunsThroughTheCentreLeaveAndScore) {
    for (const auto& [picture, col, row, points] : kRuns) {
        const auto [board, marks] = std::pair(Grids(picture)[0], Grids(picture)[1]);
        const ColorCode code = board[CellIndex(col, row)];
        EXPECT_EQ(FindRuns(board, col, row, code).Marks, marks) << picture;
        Restore(board);
        EXPECT_EQ(std::pair(game.CheckRuns(col, row, code), state.Score),
                  std::pair(points > 0, points));
        const auto gone = std::count_if(marks.begin(), marks.end(), [](int m) { return m >= 1; });
        EXPECT_EQ(Count(0), std::count(board.begin(), board.end(), 0) + (points > 0) * gone)
            << picture << ": exactly the marked balls leave";
    }
    EXPECT_FALSE(game.CheckRuns(0, 0, 0)) << "an empty code examines nothing";
    Restore(Grids(std::get<0>(kRuns[0]))[0], std::numeric_limits<std::int32_t>::max() - 5);
    EXPECT_TRUE(game.CheckRuns(2, 0, 1));
    EXPECT_EQ(state.Score, std::numeric_limits<std::int32_t>::max()) << "stops at the limit";
    EXPECT_EQ(surface.ScoreCaptions.back(), state.Score);
}

// Each row: the run lengths horizontally, vertically and along both diagonals, and the points.
TEST(Rules, LinePointsByLengthsAndNumberOfRuns) {
    const std::array<int, 5> rows[] = {{5, 1, 1, 1, 10},  {1, 6, 1, 1, 12},  {1, 1, 7, 1, 18},
                                       {1, 1, 1, 8, 28},  {9, 4, 4, 4, 42},  {4, 4, 4, 4, 0},
                                       {5, 5, 1, 1, 60},  {1, 6, 1, 5, 82},  {4, 6, 6, 1, 108},
                                       {1, 1, 7, 7, 172}, {8, 1, 1, 9, 298}, {9, 9, 1, 1, 348},
                                       {5, 5, 5, 1, 300}, {9, 9, 9, 9, 300}};
    for (const auto& [h, v, d, a, points] : rows) {
        EXPECT_EQ(Zintu::LinePoints(h, v, d, a), points) << h << v << d << a;
    }
}

// Holes 72 (0,8), 1 (1,0) and 35 (8,3) come in another order by columns than by rows.
TEST(Rules, DropCellCountsEmptyCellsColumnByColumn) {
    using Row = std::tuple<std::vector<int>, int, int>;  // holes, draw, cell
    const Row rows[] = {{{1, 35, 72}, 0, 72}, {{1, 35, 72}, 1, 72}, {{1, 35, 72}, 2, 1},
                        {{8, 80}, 1, 8},      {{80}, 0, 80},        {{}, 0, -1}};
    for (const auto& [holes, draw, cell] : rows) {
        Grid board;
        board.fill(1);
        for (const int hole : holes) {
            board[hole] = 0;
        }
        EXPECT_EQ(DropCell(board, draw), cell) << draw << " of " << holes.size();
    }
}

}  // namespace
}  // namespace zintu::test
