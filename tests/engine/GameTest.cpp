#include <algorithm>
#include <limits>
#include <set>

#include "GameFixture.h"

namespace zintu::test {
namespace {

using NewGame = GameFixture;
using Placement = GameFixture;
using SavedPositions = GameFixture;
using EngineScores = GameFixture;

TEST_F(NewGame, SetsUpFiveBallsAPreviewAndThirteenDrawsFromTheSeedAlone) {
    game.Score = 99;
    game.Board.fill(4);
    game.NewGame(0.625f, 0x00d4d0c8);
    EXPECT_EQ(game.DrawCount, 13);
    EXPECT_EQ(81 - game.CountEmpty(), 5);
    EXPECT_EQ(std::pair(game.Score, surface.ScoreCaptions.back()), std::pair(0, 0));
    EXPECT_EQ(game.SelCol, -1);
    EXPECT_EQ(game.Palette, (std::array<ColorValue, 8>{0x00d4d0c8, 0x0000ff, 0x00ff00, 0x00ffff,
                                                       0xff0000, 0xff00ff, 0xffff00, 0xffffff}));
    EXPECT_EQ(surface.Shapes.front().kind, RecordingSurface::Kind::FilledRectangle);
    const Grid board = game.Board;
    const auto preview = game.NextColors;
    for (int i = 1; i <= 3; ++i) {
        EXPECT_TRUE(preview[i] >= 1 && preview[i] <= 7) << preview[i];
    }

    game.NewGame(0.625f, kFace);
    EXPECT_EQ(std::pair(game.Board, game.NextColors), std::pair(board, preview));
    std::set<Grid> boards;
    for (const float seed : {0.1f, 0.2f, 0.3f, 0.4f, 0.5f}) {
        game.NewGame(seed, kFace);
        boards.insert(game.Board);
    }
    EXPECT_EQ(boards.size(), 5u);
}

TEST_F(Placement, DropBallTakesTheDrawnCellAndCountsOneDraw) {
    game.Generator.Reset();
    game.Generator.Seed(0.3f);
    for (int trial = 0; trial < 50; ++trial) {
        game.Board = FullBoardWithoutRuns();
        for (const int hole : {1, 35, 72, 80}) {
            game.Board[hole] = 0;
        }
        RandomGenerator copy = game.Generator;
        const int cell = DropCell(game.Board, ScaleDraw(copy.Next(), 4));
        game.DropBall(1);
        ASSERT_EQ(game.Board[cell], 1) << trial;
        ASSERT_EQ(game.CountEmpty(), 3);
        ASSERT_EQ(game.DrawCount, trial + 1);
    }
    game.Board = FullBoardWithoutRuns();
    surface.Clear();
    game.DropBall(2);
    EXPECT_EQ(game.DrawCount, 50) << "a full board draws nothing";
    EXPECT_TRUE(surface.Shapes.empty());

    // A run the drop completes leaves without points, and scoring is back on afterwards.
    for (int col = 0; col < 4; ++col) {
        game.Board[CellIndex(col, 0)] = 1;
    }
    game.Board[CellIndex(4, 0)] = 0;
    game.Score = 40;
    game.DropBall(1);
    EXPECT_EQ(std::pair(game.CountEmpty(), game.Score), (std::pair<std::int16_t, int>(5, 40)));
    EXPECT_TRUE(game.ScoringOn);
    EXPECT_EQ(surface.Of(RecordingSurface::Kind::Disc).front(),
              (RecordingSurface::Shape{RecordingSurface::Kind::Disc, 2350, 350, 150, 0, 0x0000ff}));

    std::array<int, 9> seen{};
    for (int i = 0; i < 700; ++i) {
        ++seen.at(game.RandomColor());
    }
    EXPECT_EQ(seen[0] + seen[8], 0);
    EXPECT_GT(*std::min_element(seen.begin() + 1, seen.end() - 1), 50) << "every colour comes";
    game.DrawCount = std::numeric_limits<std::int32_t>::max();
    game.RandomColor();
    EXPECT_EQ(game.DrawCount, std::numeric_limits<std::int32_t>::max()) << "stuck at the limit";
}

TEST_F(SavedPositions, RestoredGameRedrawsAndReceivesTheSameBalls) {
    const auto playOn = [](Zintu& z) {
        for (int turn = 0; turn < 3; ++turn) {
            for (int i = 1; i <= 3; ++i) {
                z.DropBall(z.NextColors[i]);
            }
            z.GetNextColor();
        }
        return z.Board;
    };
    game.NewGame(0.8125f, kFace);
    game.Score = 350;
    const SavedPosition saved = game.Snapshot(0.8125f);
    EXPECT_EQ(saved.RandomSeed, 0.8125f);
    const Grid continued = playOn(game);

    RecordingSurface otherSurface;
    Zintu other(otherSurface, scores);
    other.Palette = game.Palette;
    other.SelCol = 4;
    other.SelRow = 6;
    other.RestorePosition(saved);
    EXPECT_EQ(other.SelCol, -1);
    ASSERT_EQ(otherSurface.Shapes.size(), 1u + 81u + 3u);
    EXPECT_EQ(otherSurface.Shapes[0],
              (RecordingSurface::Shape{RecordingSurface::Kind::Box, 2115, 3115, 470, 470, kFace}))
        << "the selection mark is erased";
    EXPECT_EQ(otherSurface.Shapes[1 + 81].color, game.Palette[saved.NextColors[1]]);
    EXPECT_EQ(otherSurface.ScoreCaptions.back(), 350);
    EXPECT_EQ(other.DrawCount, 13);
    EXPECT_EQ(other.Snapshot(0.8125f).Board, saved.Board);
    EXPECT_EQ(playOn(other), continued);
    EXPECT_EQ(other.DrawCount, game.DrawCount);

    SavedPosition huge;
    huge.RandomSeed = 0.25f;
    huge.DrawCount = 2'000'000'000;
    game.RestorePosition(huge);
    RandomGenerator replay;
    replay.Reset();
    replay.Seed(0.25f);
    replay.Skip(2'000'000'000);
    EXPECT_EQ(std::pair(game.Generator, game.DrawCount), std::pair(replay, 2'000'000'000));
}

TEST_F(EngineScores, RankAndStoreGoThroughTheStoreAndShowTheBest) {
    for (int i = 0; i < 10; ++i) {
        scores.Table[i].Points = 100 - 10 * i;
    }
    struct Row {
        std::int32_t score;
        std::u32string answer;
        int rank;
        bool stored;
    };
    for (const Row& r : {Row{5, U"Low", 0, true}, Row{95, U"  ", 2, false},
                         Row{95, U"Vasya", 2, true}, Row{200, U"Best", 1, true}}) {
        game.Score = r.score;
        EXPECT_EQ(game.RecordRank(), r.rank) << r.score;
        EXPECT_EQ(surface.BestCaptions.back(), scores.Table[0].Points);
        EXPECT_EQ(game.StoreRecord(r.answer), r.stored) << r.score;
        if (r.stored) {
            EXPECT_EQ(scores.Stored.back().Points, r.score);
            EXPECT_EQ(scores.Stored.back().Name, FitName(r.answer));
        }
    }
    EXPECT_EQ(scores.Stored.size(), 3u);
    EXPECT_EQ(game.Scores, scores.Table);
    EXPECT_EQ(game.BestScore, 200);
    EXPECT_EQ(surface.BestCaptions.back(), 200);
}

}  // namespace
}  // namespace zintu::test
