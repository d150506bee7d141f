#include <algorithm>
#include <cmath>
#include <limits>
#include <set>

#include "GameFixture.h"
#include "MoveStep.h"

namespace zintu::test {
namespace {

using Kind = RecordingSurface::Kind;
using Shape = RecordingSurface::Shape;
using Game = GameFixture;

RandomGenerator Seeded(float seed) {
    RandomGenerator generator;
    generator.Reset();
    generator.Seed(seed);
    return generator;
}

TEST_F(Game, NewGameDealsFiveBallsAPreviewAndThirteenDrawsFromTheSeedAlone) {
    game.Score = 99;
    game.Board.fill(4);
    game.NewGame(0.625f, 0x00d4d0c8);
    EXPECT_EQ(std::tuple(game.DrawCount, game.CountEmpty(), game.Score,
                         surface.ScoreCaptions.back(), game.SelCol, game.Palette[0]),
              std::tuple(13, 76, 0, 0, -1, 0x00d4d0c8));
    const auto preview = game.NextColors;
    EXPECT_TRUE(
        std::all_of(preview.begin() + 1, preview.end(), [](int c) { return c >= 1 && c <= 7; }));
    std::set<Grid> boards;
    for (const float seed : {0.625f, 0.625f, 0.1f, 0.2f, 0.3f}) {
        game.NewGame(seed, kFace);
        boards.insert(game.Board);
        EXPECT_TRUE(seed != 0.625f || game.NextColors == preview);
    }
    EXPECT_EQ(boards.size(), 4u) << "the same seed deals the same game, others differ";
}

// Each row: the board with the selected ball S and the cell T clicked, the outcome, and the
// score and draws it leads to. The preview is 5 5 6.
struct TurnRow {
    const char* picture;
    TurnOutcome outcome;
    std::int32_t score;
    int draws;
};
constexpr TurnRow kTurns[] = {
    {"S.B.T....\nBB.......", TurnOutcome::Refused, 0, 0},
    {"SB.......\nBT.......", TurnOutcome::Refused, 0, 0},
    {"S.B......\nBTB......", TurnOutcome::MovedAndDropped, 0, 6},
    {"S........\n.........\n.........\n.........\n.........\n.........\n.........\n.........\n"
     "........T",
     TurnOutcome::MovedAndDropped, 0, 6},
    {"RRRRT....\n.........\n....S....", TurnOutcome::MovedWithRun, 10, 0},
};

TEST_F(Game, TurnMovesTheBallScoresOrDropsThePreviewAndRefusesBlockedTargets) {
    for (const TurnRow& r : kTurns) {
        const std::string cells = Cells(r.picture)[0];
        const auto start = static_cast<int>(cells.find('S'));
        const auto target = static_cast<int>(cells.find('T'));
        game.Board = ToGrid(cells);
        std::tie(game.Score, game.DrawCount, game.SelCol, surface.Beeps) = std::tuple(0, 0, -1, 0);
        game.NextColors = {0, 5, 5, 6};
        ASSERT_EQ(Click(start % 9, start / 9), TurnOutcome::Selected) << r.picture;
        EXPECT_EQ(Click(target % 9, target / 9), r.outcome) << r.picture;
        const bool moved = r.outcome != TurnOutcome::Refused;
        const bool dropped = r.outcome == TurnOutcome::MovedAndDropped, run = moved && !dropped;
        EXPECT_EQ(std::tuple(game.Score, game.DrawCount, surface.Beeps, game.SelCol),
                  std::tuple(r.score, r.draws, moved ? 0 : 1, moved ? -1 : start % 9))
            << r.picture;
        const auto count = [this](int c) {
            return std::count(game.Board.begin(), game.Board.end(), c);
        };
        EXPECT_EQ(std::tuple(game.Board[moved ? target : start], count(1), count(5), count(6)),
                  std::tuple(!run, !run, 2 * dropped, dropped))
            << r.picture;
        EXPECT_EQ(game.NextColors != (std::array<ColorCode, 4>{0, 5, 5, 6}), dropped)
            << "a new preview only after drops";
        EXPECT_EQ(surface.Shapes.back() ==
                      (Shape{Kind::Disc, 5730, 250, 150, 0, game.Palette[game.NextColors[3]]}),
                  dropped)
            << "the new preview is drawn last";
    }
}

TEST_F(Game, GameEndsOnlyWhenTheDropsFillTheBoard) {
    struct Row {
        std::vector<int> holes;  // besides (0, 0), where the ball from (1, 0) moves
        bool whiteRun;           // the first drop completes a run of whites and frees five
        int gameOvers, emptyAfter;
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
        std::tie(game.Score, game.DrawCount, gameOvers) = std::tuple(15, 0, 0);
        int emptyAtGameOver = -1;
        ASSERT_EQ(Click(1, 0), TurnOutcome::Selected);
        game.ReleaseOnBoard(350, 350,
                            [&] { emptyAtGameOver = game.CountEmpty() + 10 * gameOvers++; });
        EXPECT_EQ(std::tuple(gameOvers, game.CountEmpty(), emptyAtGameOver),
                  std::tuple(r.gameOvers, r.emptyAfter, r.gameOvers > 0 ? 0 : -1))
            << r.holes.size() << ": once, before the new preview";
        EXPECT_EQ(game.DrawCount, std::min<int>(r.holes.size() + 1, 3) + 3)
            << "only as many drops as empty cells";
        EXPECT_EQ(game.Score, 15) << "the game's own run scores nothing";
    }
}

TEST_F(Game, OnlyReleasesOnBallsInsideTheBoardSelectAndTheMarkMoves) {
    game.Board[CellIndex(0, 0)] = 1;
    game.Board[CellIndex(4, 2)] = 3;
    const std::vector<std::pair<double, double>> outside = {
        {99.9, 300}, {300, 4600.6}, {4600, 300}, {300, 4599.6}, {std::nan(""), 300}, {2850, 2850}};
    for (const auto& [x, y] : outside) {
        EXPECT_EQ(game.ReleaseOnBoard(x, y, [] {}), TurnOutcome::Ignored) << x << " " << y;
    }
    EXPECT_EQ(game.ReleaseOnBoard(100, 100, [] {}), TurnOutcome::Selected) << "edges count";
    surface.Clear();
    EXPECT_EQ(Click(4, 2), TurnOutcome::Selected);
    EXPECT_EQ(surface.Shapes, (std::vector<Shape>{{Kind::Box, 115, 115, 470, 470, kFace},
                                                  {Kind::Disc, 350, 350, 150, 0, 0x0000ff},
                                                  {Kind::Box, 2115, 1115, 470, 470, 0},
                                                  {Kind::Disc, 2350, 1350, 150, 0, 0x00ffff}}));
    EXPECT_EQ(Click(4, 2), TurnOutcome::Ignored) << "a second click does not deselect";
    EXPECT_EQ(game.SelCol, 4);
}

// Out-of-range steps from the command line fall back to the default.
TEST(MoveStep, ReadFromTheArgumentsWithinTenToTwenty) {
    for (const auto& [arguments, step] : std::vector<std::pair<std::string, int>>{{"", 10},
                                                                                  {" 20\t", 20},
                                                                                  {"+15", 15},
                                                                                  {"12.5", 12},
                                                                                  {"13.5", 14},
                                                                                  {"21", 10},
                                                                                  {"9", 10},
                                                                                  {"-15", 10},
                                                                                  {"14 x", 10},
                                                                                  {"x", 10},
                                                                                  {"70000", 10}}) {
        EXPECT_EQ(MoveStepFromArguments(arguments), step) << arguments;
    }
}

TEST_F(Game, RestoredPositionIsRedrawnAndDrawsOnWhereItStopped) {
    SavedPosition saved{
        .Score = 350, .NextColors = {0, 3, 1, 2}, .RandomSeed = 0.25f, .DrawCount = 2'000'000'000};
    saved.Board[5] = 6;
    std::tie(game.SelCol, game.SelRow) = std::pair(4, 6);
    game.RestorePosition(saved);
    ASSERT_EQ(surface.Shapes.size(), 1u + 81u + 3u);
    EXPECT_EQ(surface.Shapes[0], (Shape{Kind::Box, 2115, 3115, 470, 470, kFace})) << "mark erased";
    EXPECT_EQ(surface.Shapes[1 + 45], (Shape{Kind::Disc, 2850, 350, 150, 0, 0xffff00}))
        << "by columns";
    EXPECT_EQ(surface.Shapes[1 + 81].color, game.Palette[3]);
    EXPECT_EQ(std::pair(game.SelCol, surface.ScoreCaptions.back()),
              (std::pair<std::int16_t, std::int32_t>(-1, 350)));
    EXPECT_EQ(game.Snapshot(0.25f), saved);
    RandomGenerator replay = Seeded(0.25f);
    replay.Skip(2'000'000'000);
    EXPECT_EQ(game.Generator, replay);
}

TEST_F(Game, RankAndStoreGoThroughTheStoreAndShowTheBest) {
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
        EXPECT_TRUE(!r.stored ||
                    std::pair(scores.Stored.back().Name, scores.Stored.back().Points) ==
                        std::pair(FitName(r.answer), r.score));
    }
    EXPECT_EQ(std::tuple(scores.Stored.size(), game.BestScore, surface.BestCaptions.back()),
              std::tuple(std::size_t{3}, 200, 200));
    EXPECT_EQ(game.Scores, scores.Table);
}

// Saved positions replay this exact sequence on every platform: changing the algorithm breaks
// every file ever saved.
TEST_F(Game, RandomSequenceIsPinnedAndSkipMatchesReplay) {
    game.Generator.SeedFromClock();
    game.Generator.Next();
    game.Generator.Reset();
    game.Generator.Seed(0.5f);
    EXPECT_EQ(game.Generator, Seeded(0.5f)) << "the seed alone decides after Reset";
    EXPECT_NE(Seeded(0.5000001f), Seeded(0.5f));
    for (const std::uint32_t value : {12454414u, 6959965u, 4131574u, 7754004u}) {
        EXPECT_EQ(static_cast<std::uint32_t>(game.Generator.Next() * 0x1p24f), value);
    }
    for (std::int16_t n = 1; n <= 81; ++n) {
        EXPECT_EQ(std::pair(ScaleDraw(0.0f, n), ScaleDraw(std::nextafter(1.0f, 0.0f), n)),
                  (std::pair<std::int16_t, std::int16_t>(0, n - 1)));
    }
    for (const std::uint64_t count : {0ULL, 1ULL, 2ULL, 3ULL, 13ULL, 1000ULL, 65537ULL}) {
        RandomGenerator replayed = Seeded(0.125f), skipped = Seeded(0.125f);
        for (std::uint64_t i = 0; i < count; ++i)
            replayed.Next();
        skipped.Skip(count);
        EXPECT_EQ(skipped, replayed) << count;
    }
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

}  // namespace
}  // namespace zintu::test
