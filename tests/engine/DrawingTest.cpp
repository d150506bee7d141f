#include <algorithm>

#include "GameFixture.h"

namespace zintu::test {
namespace {

using Kind = RecordingSurface::Kind;
using Shape = RecordingSurface::Shape;
using Drawing = GameFixture;

TEST_F(Drawing, GridClearsTheBoardAreaThenDrawsTwentyLines) {
    game.Board[CellIndex(3, 3)] = 2;
    game.DrawGrid();
    ASSERT_EQ(surface.Shapes.size(), 21u);
    EXPECT_EQ(surface.Shapes[0], (Shape{Kind::FilledRectangle, 10, 10, 4610, 4610, 0}));
    for (int k = 0; k <= 9; ++k) {
        const int at = 100 + 500 * k;
        EXPECT_EQ(surface.Shapes[1 + k], (Shape{Kind::Line, at, 100, at, 4600, 0x050000})) << k;
        EXPECT_EQ(surface.Shapes[11 + k], (Shape{Kind::Line, 100, at, 4600, at, 0x050000})) << k;
    }
    EXPECT_EQ(game.SelCol, 0) << "the grid resets the selection to 0, not -1";
    EXPECT_EQ(game.SelRow, 0);
    EXPECT_EQ(game.Board[CellIndex(3, 3)], 2) << "the grid leaves the board to its caller";
    EXPECT_EQ(surface.BestCaptions, std::vector<std::int32_t>{0}) << "the record is reloaded";
}

TEST_F(Drawing, BallsBoxesAndErasedCellsInTwips) {
    game.PutBall(8, 0, 6);
    game.PutBall(2, 7, 0);
    game.DrawCellBox(4, 1, 0);
    game.DrawCellBox(4, 1, kFace);
    EXPECT_EQ(surface.Shapes, (std::vector<Shape>{{Kind::Disc, 4350, 350, 150, 0, 0xffff00},
                                                  {Kind::Disc, 1350, 3850, 150, 0, kFace},
                                                  {Kind::Box, 2115, 615, 470, 470, 0},
                                                  {Kind::Box, 2115, 615, 470, 470, kFace}}));
    EXPECT_EQ(game.Board[CellIndex(8, 0)], 6);
}

TEST_F(Drawing, PreviewDiscsStandLeftToRightInDropOrder) {
    game.NextColors = {0, 7, 1, 4};
    game.DrawNextColor();
    EXPECT_EQ(surface.Shapes, (std::vector<Shape>{{Kind::Disc, 5030, 250, 150, 0, 0xffffff},
                                                  {Kind::Disc, 5380, 250, 150, 0, 0x0000ff},
                                                  {Kind::Disc, 5730, 250, 150, 0, 0xff0000}}));
}

TEST_F(Drawing, RedrawRebuildsThePictureFromTheState) {
    game.Board[CellIndex(2, 3)] = 1;
    game.Board[CellIndex(7, 0)] = 4;
    game.SelCol = 7;
    game.SelRow = 0;
    game.NextColors = {0, 2, 2, 2};
    game.Redraw();
    const auto& shapes = surface.Shapes;
    ASSERT_EQ(shapes.size(), 1u + 20u + 2u + 1u + 3u);
    EXPECT_EQ(shapes[0].kind, Kind::FilledRectangle);
    EXPECT_EQ(shapes[21], (Shape{Kind::Disc, 1350, 1850, 150, 0, 0x0000ff}));
    EXPECT_EQ(shapes[22], (Shape{Kind::Box, 3615, 115, 470, 470, 0})) << "the selection mark";
    EXPECT_EQ(shapes[23], (Shape{Kind::Disc, 3850, 350, 150, 0, 0xff0000}));
    EXPECT_EQ(shapes[24], (Shape{Kind::Disc, 5030, 250, 150, 0, 0x00ff00}));
    EXPECT_TRUE(surface.BestCaptions.empty()) << "a redraw reloads no scores";
    EXPECT_EQ(game.SelCol, 7) << "nor touches the selection";
}

TEST_F(Drawing, RemovalShrinksInSixteenFramesThenErases) {
    for (int col = 2; col < 7; ++col)
        game.Board[CellIndex(col, 8)] = 3;
    ASSERT_TRUE(game.CheckRuns(6, 8, 3));

    std::vector<int> radii;
    for (const Shape& s : surface.Of(Kind::Disc)) {
        EXPECT_EQ(s.b, 4350);
        EXPECT_EQ(s.color, 0x00ffffu);
        if (s.a == 1350)
            radii.push_back(s.c);
    }
    std::vector<int> expected;
    for (int r = 150; r >= 0; r -= 10)
        expected.push_back(r);
    EXPECT_EQ(radii, expected);
    EXPECT_EQ(surface.Of(Kind::Disc).size(), 16u * 5);
    EXPECT_EQ(surface.Of(Kind::Refresh).size(), 16u);
    for (std::size_t i = 0; i < surface.Waits.size(); ++i) {
        EXPECT_EQ(surface.Waits[i], std::chrono::milliseconds(20) * (i + 1)) << "frame " << i;
    }
    // Each frame erases the cell first; the last five shapes erase the cells for good.
    const auto boxes = surface.Of(Kind::Box);
    EXPECT_EQ(boxes.size(), 17u * 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(boxes[boxes.size() - 5 + i],
                  (Shape{Kind::Box, 1115 + 500 * i, 4115, 470, 470, kFace}));
    }
    EXPECT_EQ(surface.Shapes.back().kind, Kind::Box);
}

TEST_F(Drawing, SlowRemovalSkipsFramesButKeepsItsLengthAndLastFrame) {
    using std::chrono::milliseconds;
    surface.FrameCost = milliseconds(30);
    for (int col = 2; col < 7; ++col)
        game.Board[CellIndex(col, 8)] = 3;
    ASSERT_TRUE(game.CheckRuns(6, 8, 3));
    std::vector<int> radii;
    for (const Shape& s : surface.Of(Kind::Disc)) {
        if (s.a == 1350)
            radii.push_back(s.c);
    }
    ASSERT_FALSE(radii.empty());
    EXPECT_LT(radii.size(), 16u);
    EXPECT_TRUE(std::is_sorted(radii.rbegin(), radii.rend()));
    EXPECT_EQ(radii.back(), 0) << "the smallest frame is always shown";
    EXPECT_GE(surface.Now(), milliseconds(16 * 20));
    EXPECT_LE(surface.Now(), milliseconds(16 * 20) + surface.FrameCost);
}

}  // namespace
}  // namespace zintu::test
