#include "GameFixture.h"

namespace zintu::test {
namespace {

using SavedPositions = GameFixture;

// Three turns' worth of drops and previews, as a game without runs would make them.
Grid PlayOn(Zintu& game) {
    for (int turn = 0; turn < 3; ++turn) {
        for (int i = 1; i <= 3; ++i)
            game.DropBall(game.NextColors[i]);
        game.GetNextColor();
    }
    return game.Board;
}

TEST_F(SavedPositions, RestoredGameReceivesTheSameBalls) {
    game.NewGame(0.8125f, kFace);
    game.Score = 350;
    const SavedPosition saved = game.Snapshot(0.8125f);
    const Grid continued = PlayOn(game);

    RecordingSurface otherSurface;
    Zintu other(otherSurface, game.Files);
    other.Palette = game.Palette;
    other.SelCol = -1;
    other.RestorePosition(saved);
    EXPECT_EQ(otherSurface.ScoreCaptions.back(), 350);
    EXPECT_EQ(other.DrawCount, 13);
    EXPECT_EQ(PlayOn(other), continued);
    EXPECT_EQ(other.DrawCount, game.DrawCount);
}

TEST_F(SavedPositions, RestoringErasesTheSelectionAndRedrawsEveryCell) {
    game.NewGame(0.5f, kFace);
    SavedPosition position = game.Snapshot(0.5f);
    position.Board.fill(0);
    position.Board[CellIndex(1, 2)] = 5;
    position.NextColors = {0, 1, 2, 3};
    game.SelCol = 4;
    game.SelRow = 6;
    surface.Clear();
    game.RestorePosition(position);
    EXPECT_EQ(game.SelCol, -1);
    const auto& shapes = surface.Shapes;
    ASSERT_EQ(shapes.size(), 1u + 81u + 3u);
    EXPECT_EQ(shapes[0],
              (RecordingSurface::Shape{RecordingSurface::Kind::Box, 2115, 3115, 470, 470, kFace}));
    EXPECT_EQ(shapes[1 + 2 + 9 * 1].color, 0xff00ffu) << "column by column, ball at (1,2)";
    EXPECT_EQ(shapes[1 + 81].color, 0x0000ffu) << "then the preview";
}

TEST_F(SavedPositions, HugeDrawCountRestoresAtOnce) {
    SavedPosition position;
    position.RandomSeed = 0.25f;
    position.DrawCount = 2'000'000'000;
    game.RestorePosition(position);
    EXPECT_EQ(game.DrawCount, 2'000'000'000);
    RandomGenerator replayHalf;
    replayHalf.Reset();
    replayHalf.Seed(0.25f);
    replayHalf.Skip(1'000'000'000);
    replayHalf.Skip(1'000'000'000);
    EXPECT_EQ(game.Generator, replayHalf);
}

}  // namespace
}  // namespace zintu::test
