#include <vector>

#include "GameFixture.h"

namespace zintu::test {
namespace {

using PathSearch = GameFixture;

constexpr const char* kEmptyBoard =
    "........."
    "........."
    "........."
    "........."
    "........."
    "........."
    "........."
    "........."
    ".........";

// Selects the ball at (col, row), placing a red one there when the cell is empty.
void Select(Zintu& game, int col, int row) {
    if (game.Board[CellIndex(col, row)] == 0) {
        game.Board[CellIndex(col, row)] = 1;
    }
    game.SelCol = static_cast<std::int16_t>(col);
    game.SelRow = static_cast<std::int16_t>(row);
}

std::vector<int> TraceOf(const Zintu& game, const std::vector<std::pair<int, int>>& cells) {
    std::vector<int> values;
    for (const auto& [col, row] : cells) {
        values.push_back(game.Trace[CellIndex(col, row)]);
    }
    return values;
}

TEST_F(PathSearch, MarksHoldDistancesBallsAndUnreachedCells) {
    SetBoard(
        "..B......"
        "BB......."
        "........."
        "........."
        "........."
        "........."
        "........."
        "........."
        ".........");
    Select(game, 8, 8);
    ASSERT_TRUE(game.FindPath(3, 0));
    EXPECT_EQ(game.Marks[CellIndex(8, 8)], 1) << "the start keeps 1";
    EXPECT_EQ(game.Marks[CellIndex(7, 8)], 2);
    EXPECT_EQ(game.Marks[CellIndex(8, 7)], 2);
    EXPECT_EQ(game.Marks[CellIndex(3, 0)], 14);
    EXPECT_EQ(game.Marks[CellIndex(0, 2)], 15);
    EXPECT_EQ(game.Marks[CellIndex(2, 0)], -1);
    EXPECT_EQ(game.Marks[CellIndex(0, 1)], -1);
    EXPECT_EQ(game.Marks[CellIndex(0, 0)], 0) << "the pocket is never reached";
    EXPECT_EQ(game.Marks[CellIndex(1, 0)], 0);
    EXPECT_EQ(surface.Beeps, 0);
}

TEST_F(PathSearch, RefusedTargetsBeepAndChangeNothing) {
    SetBoard(
        "RB......."
        "B.....G.."
        ".....G.G."
        "......G.."
        "BB......."
        "..B......"
        "BBB......"
        "........."
        ".........");
    const Grid board = game.Board;
    Select(game, 0, 0);
    EXPECT_FALSE(game.FindPath(1, 1)) << "diagonal neighbours are not connected";
    Select(game, 8, 8);
    EXPECT_FALSE(game.FindPath(6, 2)) << "a cell walled in by balls";
    EXPECT_FALSE(game.FindPath(0, 5)) << "a region cut off from the start";
    EXPECT_TRUE(game.FindPath(1, 1));
    EXPECT_EQ(surface.Beeps, 3);
    EXPECT_EQ(game.Board[CellIndex(8, 8)], 1);
    game.Board[CellIndex(8, 8)] = 0;
    EXPECT_EQ(game.Board, board);
}

TEST_F(PathSearch, TiesBreakLeftThenRightThenUpThenDownFromTheTarget) {
    SetBoard(kEmptyBoard);
    Select(game, 0, 0);
    ASSERT_TRUE(game.FindPath(2, 2));
    game.MoveBall(0, 0, 2, 2);
    EXPECT_EQ(TraceOf(game, {{0, 0}, {0, 1}, {0, 2}, {1, 2}, {2, 2}}),
              (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(std::count(game.Trace.begin(), game.Trace.end(), 0), 76);

    game.Board.fill(0);
    Select(game, 2, 2);
    ASSERT_TRUE(game.FindPath(0, 0));
    game.MoveBall(2, 2, 0, 0);
    EXPECT_EQ(TraceOf(game, {{2, 2}, {2, 1}, {2, 0}, {1, 0}, {0, 0}}),
              (std::vector<int>{1, 2, 3, 4, 5}))
        << "right rather than up, up rather than down";
    EXPECT_EQ(game.Board[CellIndex(2, 2)], 1) << "the move leaves the board to its caller";
}

TEST_F(PathSearch, PathFollowsCorridorAroundBalls) {
    SetBoard(
        ".B......."
        ".B.B....."
        ".B.B....."
        "...B....."
        "BBBB....."
        "........."
        "........."
        "........."
        ".........");
    Select(game, 0, 0);
    ASSERT_TRUE(game.FindPath(2, 0));
    EXPECT_EQ(game.Marks[CellIndex(2, 0)], 9);
    game.MoveBall(0, 0, 2, 0);
    EXPECT_EQ(
        TraceOf(game, {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {1, 3}, {2, 3}, {2, 2}, {2, 1}, {2, 0}}),
        (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST_F(PathSearch, SlideFramesAtStepTen) {
    SetBoard(kEmptyBoard);
    Select(game, 3, 4);
    game.Board[CellIndex(3, 4)] = 4;  // blue
    ASSERT_TRUE(game.FindPath(4, 4));
    game.MoveBall(3, 4, 4, 4);
    EXPECT_EQ(game.Trace[CellIndex(3, 4)], 1);
    EXPECT_EQ(game.Trace[CellIndex(4, 4)], 2);

    const auto& balls = surface.Balls;
    ASSERT_EQ(balls.size(), 1u + 50u + 1u);
    const BallPlacement start{1710, 2200, 300, 300, 0xff0000, true};
    EXPECT_EQ(balls.front(), start);
    for (int i = 1; i <= 50; ++i) {
        EXPECT_EQ(balls[i].Left, 1710 + 10 * i);
        EXPECT_EQ(balls[i].Top, 2200);
        EXPECT_TRUE(balls[i].Visible);
        EXPECT_EQ(balls[i].Color, 0xff0000u);
    }
    EXPECT_EQ(balls[50].Left, 2210) << "the last frame lands on the next cell";
    EXPECT_FALSE(balls.back().Visible);
    ASSERT_EQ(surface.Waits.size(), 50u);
    EXPECT_EQ(surface.Waits.back(), std::chrono::milliseconds(50)) << "frames follow one clock";
    // The start cell's picture is erased under the overlay before it moves.
    ASSERT_FALSE(surface.Shapes.empty());
    EXPECT_EQ(surface.Shapes.front(),
              (RecordingSurface::Shape{RecordingSurface::Kind::Box, 1615, 2115, 470, 470, kFace}));
}

TEST_F(PathSearch, SlideFramesAtStepTwentyRestartEachCell) {
    SetBoard(kEmptyBoard);
    game.MoveStep = 20;
    Select(game, 0, 0);
    ASSERT_TRUE(game.FindPath(0, 2));
    game.MoveBall(0, 0, 0, 2);
    const auto& balls = surface.Balls;
    ASSERT_EQ(balls.size(), 1u + 2 * 25u + 1u);
    for (int i = 0; i < 25; ++i) {
        EXPECT_EQ(balls[1 + i].Top, 200 + 10 + 20 * i) << "first step, frame " << i;
        EXPECT_EQ(balls[26 + i].Top, 700 + 10 + 20 * i) << "second step, frame " << i;
        EXPECT_EQ(balls[1 + i].Left, 210);
    }
}

// Where drawing is slower than the frames, the frames whose time has passed are left out:
// the slide keeps its length, shows only positions of its step grid and ends on the target.
TEST_F(PathSearch, SlowFramesAreSkippedWithoutStretchingTheSlide) {
    using namespace std::chrono_literals;
    struct Row {
        std::int16_t step;
        std::chrono::microseconds frameCost;
    };
    for (const Row& r : {Row{10, 900us}, Row{10, 2500us}, Row{20, 1700us}, Row{20, 7000us}}) {
        surface.Clear();
        surface.FrameCost = r.frameCost;
        SetBoard(kEmptyBoard);
        game.MoveStep = r.step;
        Select(game, 4, 0);
        ASSERT_TRUE(game.FindPath(4, 8));
        game.MoveBall(4, 0, 4, 8);

        const auto framesPerCell = static_cast<std::size_t>(490 / r.step + 1);
        const std::chrono::microseconds length = 8 * framesPerCell * 1ms;
        const std::vector<BallPlacement> shown(surface.Balls.begin() + 1, surface.Balls.end() - 1);
        if (r.frameCost < 1ms) {
            EXPECT_EQ(shown.size(), 8 * framesPerCell) << r.step;
        } else {
            EXPECT_LT(shown.size(), 8 * framesPerCell) << r.step << " " << r.frameCost.count();
        }
        int lastTop = 200;
        for (const BallPlacement& ball : shown) {
            const int cell = (ball.Top - 210) / 500;
            const int offset = ball.Top - 200 - 500 * cell;
            EXPECT_EQ((offset - 10) % r.step, 0) << ball.Top;
            EXPECT_GT(ball.Top, lastTop);
            EXPECT_EQ(ball.Left, 2210);
            lastTop = ball.Top;
        }
        EXPECT_EQ(lastTop, 3700 + 10 + r.step * (490 / r.step)) << "the last frame is shown";
        EXPECT_GE(surface.Now(), length);
        // Beyond its length: placing the ball at the start and hiding it at the end, the
        // frame in progress when time ran out and the last frame shown however late.
        EXPECT_LE(surface.Now(), length + 4 * r.frameCost) << r.step << " " << r.frameCost.count();
    }
}

}  // namespace
}  // namespace zintu::test
