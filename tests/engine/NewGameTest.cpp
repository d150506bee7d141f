#include <set>

#include "GameFixture.h"

namespace zintu::test {
namespace {

using NewGame = GameFixture;

TEST_F(NewGame, SetsUpFiveBallsAPreviewAndThirteenDraws) {
    game.Score = 99;
    game.Board.fill(4);
    game.NewGame(0.625f, 0x00d4d0c8);
    EXPECT_EQ(game.DrawCount, 13);
    EXPECT_EQ(81 - game.CountEmpty(), 5);
    EXPECT_EQ(game.Score, 0);
    EXPECT_EQ(surface.ScoreCaptions.back(), 0);
    EXPECT_EQ(game.SelCol, -1);
    EXPECT_EQ(game.Palette[0], 0x00d4d0c8u);
    EXPECT_EQ(game.Palette[1], 0x0000ffu);
    EXPECT_EQ(game.Palette[7], 0xffffffu);
    EXPECT_TRUE(game.ScoringOn);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_GE(game.NextColors[i], 1);
        EXPECT_LE(game.NextColors[i], 7);
    }
    // The board area is cleared before anything else is drawn.
    ASSERT_FALSE(surface.Shapes.empty());
    EXPECT_EQ(surface.Shapes.front().kind, RecordingSurface::Kind::FilledRectangle);
}

TEST_F(NewGame, TheSeedAloneDecidesTheGame) {
    game.NewGame(0.375f, kFace);
    const Grid board = game.Board;
    const auto preview = game.NextColors;
    const RandomGenerator after = game.Generator;

    game.NewGame(0.375f, kFace);
    EXPECT_EQ(game.Board, board);
    EXPECT_EQ(game.NextColors, preview);

    RandomGenerator replay;
    replay.Reset();
    replay.Seed(0.375f);
    replay.Skip(13);
    EXPECT_EQ(replay, after);

    std::set<Grid> boards;
    for (const float seed : {0.1f, 0.2f, 0.3f, 0.4f, 0.5f}) {
        game.NewGame(seed, kFace);
        boards.insert(game.Board);
    }
    EXPECT_EQ(boards.size(), 5u);
}

}  // namespace
}  // namespace zintu::test
