#include <algorithm>

#include "GameFixture.h"

namespace zintu::test {
namespace {

using namespace std::chrono_literals;
using Kind = RecordingSurface::Kind;
using Shape = RecordingSurface::Shape;
using Drawing = GameFixture;

// The grid clears the board area and draws twenty lines; a redraw rebuilds balls, selection
// and preview on it from the state alone.
TEST_F(Drawing, GridAndRedrawRebuildThePictureFromTheState) {
    scores.Table[0].Points = 77;
    game.Board[CellIndex(2, 3)] = 1;
    game.Board[CellIndex(7, 0)] = 4;
    game.DrawGrid();
    EXPECT_EQ(std::tuple(game.SelCol, game.SelRow, game.Board[CellIndex(2, 3)]),
              std::tuple(0, 0, 1))
        << "the grid resets the selection to 0, not -1, and leaves the board to its caller";
    EXPECT_EQ(surface.BestCaptions, std::vector<std::int32_t>{77}) << "the record is reloaded";
    std::tie(game.SelCol, game.NextColors) = std::pair(7, std::array<ColorCode, 4>{0, 7, 1, 4});
    game.Redraw();
    std::vector<Shape> expected = {{Kind::FilledRectangle, 10, 10, 4610, 4610, 0}};
    for (const bool vertical : {true, false}) {
        for (int at = 100; at <= 4600; at += 500) {
            expected.push_back(vertical ? Shape{Kind::Line, at, 100, at, 4600, 0x050000}
                                        : Shape{Kind::Line, 100, at, 4600, at, 0x050000});
        }
    }
    EXPECT_EQ(std::vector(surface.Shapes.begin(), surface.Shapes.begin() + 21), expected);
    expected.insert(expected.end(), {{Kind::Disc, 1350, 1850, 150, 0, 0x0000ff},
                                     {Kind::Box, 3615, 115, 470, 470, 0},
                                     {Kind::Disc, 3850, 350, 150, 0, 0xff0000},
                                     {Kind::Disc, 5030, 250, 150, 0, 0xffffff},
                                     {Kind::Disc, 5380, 250, 150, 0, 0x0000ff},
                                     {Kind::Disc, 5730, 250, 150, 0, 0xff0000}});
    EXPECT_EQ(std::vector(surface.Shapes.begin() + 21, surface.Shapes.end()), expected);
    EXPECT_EQ(std::pair(surface.BestCaptions.size(), game.SelCol),
              std::pair(std::size_t{1}, std::int16_t{7}))
        << "a redraw reloads no scores nor touches the selection";
}

// Removal: 16 frames of 20 ms shrinking the balls, then the cells erased. A slow surface
// sees fewer frames, never a longer removal, and always the last, however late (40 ms a frame
// makes it late).
TEST_F(Drawing, RemovalShrinksInSixteenFramesThenErases) {
    for (const auto frameCost : {0ms, 40ms}) {
        surface.Clear();
        surface.FrameCost = frameCost;
        for (int col = 0; col < 5; ++col) {
            game.Board[CellIndex(col, 8)] = 3;
        }
        ASSERT_TRUE(game.CheckRuns(4, 8, 3));
        std::vector<int> radii;
        for (const Shape& s : surface.Of(Kind::Disc)) {
            EXPECT_EQ(std::pair(s.b, s.color), std::pair(4350, ColorValue{0x00ffff}));
            if (s.a == 1350) {
                radii.push_back(s.c);
            }
        }
        for (const Shape& s : surface.Of(Kind::Box)) {
            EXPECT_EQ(s.color, kFace) << "cells are erased to the board's face";
        }
        EXPECT_EQ(surface.Shapes.back(), (Shape{Kind::Box, 2115, 4115, 470, 470, kFace}));
        EXPECT_GE(surface.Now(), 16 * 20ms);
        EXPECT_LE(surface.Now(), 16 * 20ms + frameCost);
        if (frameCost > 0ms) {
            EXPECT_LT(radii.size(), 16u);
            EXPECT_TRUE(std::is_sorted(radii.rbegin(), radii.rend()));
            EXPECT_EQ(radii.back(), 0) << "the smallest frame is always shown";
            continue;
        }
        std::vector<int> expected;
        for (int r = 150; r >= 0; r -= 10) {
            expected.push_back(r);
        }
        EXPECT_EQ(radii, expected);
        EXPECT_EQ(surface.Of(Kind::Refresh).size(), 16u);
        EXPECT_EQ(surface.Of(Kind::Box).size(), 17u * 5) << "each frame erases the cell first";
    }
}

// The slide shows a frame per step of MoveStep twips, one a millisecond, restarting at
// each cell; frames whose time has passed are left out, never the last.
TEST_F(Drawing, SlideFramesFollowTheStepAndTheClock) {
    struct Row {
        std::int16_t step;
        std::chrono::microseconds frameCost;
    };
    for (const Row& r : {Row{10, 0us}, Row{10, 2500us}, Row{20, 0us}, Row{20, 7000us}}) {
        surface.Clear();
        surface.FrameCost = r.frameCost;
        game.Board.fill(0);
        game.Board[CellIndex(4, 0)] = 4;
        game.SelCol = 4;
        game.SelRow = 0;
        game.MoveStep = r.step;
        ASSERT_TRUE(game.FindPath(5, 1));
        game.MoveBall(4, 0, 5, 1);  // down, then right

        EXPECT_EQ(surface.Shapes.front(), (Shape{Kind::Box, 2115, 115, 470, 470, kFace}))
            << "the start cell is erased under the ball";
        EXPECT_EQ(surface.Balls.front(), (BallPlacement{2210, 200, 300, 300, 0xff0000, true}));
        EXPECT_FALSE(surface.Balls.back().Visible);
        std::vector<std::pair<int, int>> slide;  // every position at this step, in order
        for (int offset = 10; offset <= 1000; offset += r.step) {
            slide.emplace_back(2210 + std::max(0, offset - 500), 200 + std::min(500, offset));
        }
        std::vector<std::pair<int, int>> shown;
        for (auto ball = surface.Balls.begin() + 1; ball != surface.Balls.end() - 1; ++ball) {
            EXPECT_EQ(ball->Color, 0xff0000u);
            shown.emplace_back(ball->Left, ball->Top);
        }
        const auto length = 1ms * slide.size();
        if (r.frameCost == 0us) {
            EXPECT_EQ(shown, slide);
        } else {
            EXPECT_LT(shown.size(), slide.size());
            EXPECT_TRUE(std::includes(slide.begin(), slide.end(), shown.begin(), shown.end()));
            EXPECT_EQ(shown.back(), slide.back()) << "the last frame is shown";
        }
        EXPECT_GE(surface.Now(), length);
        EXPECT_LE(surface.Now(), length + 4 * r.frameCost);
    }
}

}  // namespace
}  // namespace zintu::test
