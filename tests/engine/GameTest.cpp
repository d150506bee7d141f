#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

#include "tests/engine/GameFixture.h"

namespace zintu::test {
namespace {

using namespace std::chrono_literals;
using Kind = RecordingSurface::Kind;
using Shape = RecordingSurface::Shape;
using Game = GameFixture;

// Each row: the board with the ball S to select and the cell T clicked next, the outcome, and
// the score and draws it leads to. A ball at (0, 8) was selected before; the preview is 5 5 6.
const std::tuple<const char*, TurnOutcome, int, int> kTurns[] = {
    {"S.B.T....\nBB.......", TurnOutcome::Refused, 0, 0},
    {"S.B......\nBTB......", TurnOutcome::MovedAndDropped, 0, 6},
    {"S.......T", TurnOutcome::MovedAndDropped, 0, 6},
    {"RRRRT....\n.........\n....S....", TurnOutcome::MovedWithRun, 10, 0},
};

TEST_F(Game, TurnMovesTheBallScoresOrDropsThePreviewAndRefusesBlockedTargets) {
    for (const auto& [picture, outcome, score, draws] : kTurns) {
        int start = 0, target = 0;
        Grid board = Grids(picture, &start, &target)[0];
        board[72] = 2;
        Restore(board, 0, {0, 5, 5, 6});
        ASSERT_EQ(Click(72), TurnOutcome::Selected);
        surface.Clear();
        // Anywhere in a cell counts, from its own grid lines to just short of the next.
        ASSERT_EQ(Click(start, {kCellSize - 1, 0}), TurnOutcome::Selected) << picture;
        EXPECT_EQ(surface.Shapes.front(), (Shape{Kind::Box, 115, 4115, 470, 470, kFace}));
        EXPECT_EQ(Click(target, {0, kCellSize - 1}), outcome) << picture;
        const bool moved = outcome != TurnOutcome::Refused;
        const bool dropped = outcome == TurnOutcome::MovedAndDropped, run = moved && !dropped;
        EXPECT_EQ(std::tuple(state.Score, state.DrawCount, surface.Beeps, state.SelCol),
                  std::tuple(score, draws, !moved, moved ? -1 : start % 9));
        EXPECT_EQ(std::tuple(state.Board[moved ? target : start], Count(1), Count(5), Count(6)),
                  std::tuple(!run, !run, 2 * dropped, dropped));
        EXPECT_EQ(state.NextColors != (std::array<ColorCode, 4>{0, 5, 5, 6}), dropped)
            << "a new preview only after drops";
        const ColorValue last = state.Palette[state.NextColors[3]];
        EXPECT_EQ(surface.Shapes.back() == (Shape{Kind::Disc, 5730, 250, 150, 0, last}), dropped)
            << "the new preview is drawn last";
    }
    EXPECT_EQ(Click(CellIndex(8, 0)), TurnOutcome::Ignored) << "no ball, no selection";
    game.PutBall(0, 0, 1);
    for (const auto& [x, y] :
         {std::pair(99.9, 300.0), {300, 4600.6}, {4600, 300}, {300, 4599.6}, {std::nan(""), 300}}) {
        EXPECT_EQ(game.ReleaseOnBoard(x, y, [] {}), TurnOutcome::Ignored) << x << " " << y;
    }
    EXPECT_EQ(game.ReleaseOnBoard(100, 100, [] {}), TurnOutcome::Selected) << "edges count";
    EXPECT_EQ(Click(0), TurnOutcome::Ignored) << "a second click does not deselect";
}

// Each row: cells changed on a full board without runs (0 empties one, 7 makes a white that the
// first drop completes to a run), the game overs and the cells left empty. The ball at (1, 0)
// moves to (0, 0).
TEST_F(Game, GameEndsOnlyWhenTheDropsFillTheBoard) {
    using Row = std::tuple<std::map<int, ColorCode>, int, int>;
    for (const auto& [changes, overs, emptyAfter] :
         {Row{{}, 1, 0}, Row{{{80, 0}}, 1, 0}, Row{{{9, 0}, {80, 0}}, 1, 0},
          Row{{{9, 0}, {10, 0}, {80, 0}}, 0, 1},
          Row{{{72, 0}, {73, 7}, {74, 7}, {75, 7}, {76, 7}}, 0, 5}}) {
        Grid board{};
        for (int i = 1; i < 81; ++i) {
            board[i] = changes.contains(i) ? changes.at(i) : (i % 9 + 2 * (i / 9)) % 7 + 1;
        }
        Restore(board, 15, {0, 7, 2, 2});
        gameOvers = 0;
        const long drops = std::min(Count(0), 3L);
        int emptyAtGameOver = -1;
        ASSERT_EQ(Click(1), TurnOutcome::Selected);
        game.ReleaseOnBoard(350, 350, [&] { emptyAtGameOver = Count(0) + 10 * gameOvers++; });
        EXPECT_EQ(std::tuple(gameOvers, Count(0), emptyAtGameOver, state.Score, state.DrawCount),
                  std::tuple(overs, emptyAfter, overs > 0 ? 0 : -1, 15, drops + 3))
            << changes.size() << ": once, before the new preview; the drops' runs score nothing";
    }
}

// A new game takes 13 draws (five balls, a preview) and asks for the table, except right after
// a game over asked for it; the table shows when it arrives. A redraw starts at the top left, as
// a restore does once the old selection is unmarked; restored, the game deals the same balls in
// the same cells.
TEST_F(Game, NewGameRedrawnAndRestoredDealsTheSameBalls) {
    for (int i = 0; i < 9; ++i) {
        scores.Table[i].Points = 90 - i;
    }
    Restore(state.Board, 50);
    EXPECT_EQ(game.RecordRank(), 1);  // against the table known before it arrived
    game.ScoresArrived(scores.Table);
    EXPECT_EQ(std::pair(game.RecordRank(), state.BestScore), std::pair(10, 90));
    EXPECT_TRUE(game.StoreRecord(U"Ann"));
    game.NewGame(0.25f, kFace);
    EXPECT_FALSE(game.StoreRecord(U"  "));
    game.NewGame(0.25f, kFace);
    game.ScoresArrived(scores.Table);
    EXPECT_EQ(std::pair(scores.Calls, state.Scores[9].Points), std::pair(std::string("SL"), 50));
    game.NewGame(0.8125f, kFace);
    EXPECT_EQ(scores.Calls, "SLL");
    EXPECT_EQ(std::tuple(state.DrawCount, Count(0), state.SelCol, state.BestScore),
              std::tuple(13, 76, -1, 90));
    game.PutBall(0, 0, 1);
    surface.Clear();
    game.Redraw();
    EXPECT_EQ(surface.Shapes[0], (Shape{Kind::FilledRectangle, 10, 10, 4610, 4610, 0}));
    EXPECT_EQ(surface.Shapes[21], (Shape{Kind::Disc, 350, 350, 150, 0, 0x0000ff}));
    RecordingSurface otherSurface;
    Zintu other(otherSurface, otherSurface, otherSurface, scores);
    other.NewGame(0.3f, kFace);  // another game before, with draws of its own
    other.PutBall(0, 8, 1);
    ASSERT_EQ(other.ReleaseOnBoard(350, 4350, [] {}), TurnOutcome::Selected);
    otherSurface.Clear();
    other.RestorePosition(game.Snapshot());
    EXPECT_EQ(otherSurface.Shapes[0], (Shape{Kind::Box, 115, 4115, 470, 470, kFace}));
    EXPECT_EQ(otherSurface.Shapes[1], (Shape{Kind::Disc, 350, 350, 150, 0, 0x0000ff}));
    for (Zintu* z : {&game, &other}) {
        for (int i = 0; i < 30; ++i) {
            z->DropBall(z->RandomColor());
        }
    }
    EXPECT_EQ(other.Snapshot(), game.Snapshot());
}

// Removal: 16 frames of 20 ms shrinking the balls, then the cells erased. A slow surface
// sees fewer frames, never a longer removal, and always the last, however late.
TEST_F(Game, RemovalShrinksInSixteenFramesThenErases) {
    for (const auto frameCost : {0ms, 40ms}) {
        Restore(Grids("RRRRR....")[0]);
        surface.Clear();
        surface.FrameCost = frameCost;
        ASSERT_TRUE(game.CheckRuns(4, 0, 1));
        std::vector<int> radii;
        for (const Shape& s : surface.Shapes) {
            EXPECT_TRUE(s.kind != Kind::Disc ||
                        std::pair(s.b, s.color) == std::pair(350, ColorValue{0x0000ff}));
            if (s.kind == Kind::Disc && s.a == 1350) {
                radii.push_back(s.c);
            }
        }
        EXPECT_EQ(surface.Shapes.back(), (Shape{Kind::Box, 2115, 115, 470, 470, kFace}));
        EXPECT_TRUE(surface.Now() >= 16 * 20ms && surface.Now() <= 16 * 20ms + frameCost);
        EXPECT_EQ(radii.back(), 0) << "the smallest frame is always shown";
        EXPECT_TRUE(std::is_sorted(radii.rbegin(), radii.rend()));
        EXPECT_EQ(radii.size() == 16u && surface.Shapes.size() == 17u * 5 + 16u * 6,
                  frameCost == 0ms)
            << "each frame erases the cell first";
    }
}

// The slide moves by MoveStep twips a millisecond, restarting at each cell, and shows
// `frames` of its positions evenly, at most one per refresh of the screen (fewer when
// drawing is slow), always the last; it keeps its length.
TEST_F(Game, SlideFramesFollowTheStepTheScreenAndTheClock) {
    for (const auto& [step, refresh, frameCost, frames] : {std::tuple(10, 1000us, 0us, 100u),
                                                           {10, 16667us, 0us, 6u},
                                                           {20, 16667us, 0us, 3u},
                                                           {10, 6944us, 0us, 15u},
                                                           {10, 1000us, 2500us, 100u},
                                                           {20, 16667us, 60000us, 3u}}) {
        // Down then right from (4, 0), and back: up then left from (5, 1).
        for (const int sign : {1, -1}) {
            const auto [start, target] = sign > 0 ? std::pair(4, 14) : std::pair(14, 4);
            Zintu slider(surface, surface, surface, scores, static_cast<std::int16_t>(step));
            slider.NewGame(0.5f, kFace);
            Grid board{};
            board[start] = 1;
            slider.RestorePosition({.Board = board});
            const TwipPoint centre = CellCentre(start % 9, start / 9);
            ASSERT_EQ(slider.ReleaseOnBoard(centre.X, centre.Y, [] {}), TurnOutcome::Selected);
            surface.Clear();
            surface.ScreenRefresh = refresh;
            surface.FrameCost = frameCost;
            slider.MoveBall(start % 9, start / 9, slider.FindPath(target % 9, target / 9).value());
            const TwipPoint box = CellBoxCorner(start % 9, start / 9);
            EXPECT_EQ(surface.Shapes.front(), (Shape{Kind::Box, box.X, box.Y, 470, 470, kFace}))
                << "erased under the ball";
            const TwipPoint from = SlideBallCorner(start % 9, start / 9);
            EXPECT_EQ(std::pair(from.X, from.Y),
                      sign > 0 ? std::pair(2210, 200) : std::pair(2710, 700));
            EXPECT_EQ(surface.Balls.front(),
                      (BallPlacement{from.X, from.Y, 300, 300, 0x0000ff, true, 1}));
            EXPECT_FALSE(surface.Balls.back().Visible);
            std::vector<BallPlacement> slide;  // every position at this step, in order
            for (int offset = 10; offset <= 1000; offset += step) {
                slide.push_back({from.X + sign * std::max(0, offset - 500),
                                 from.Y + sign * std::min(500, offset), 300, 300, 0x0000ff, true,
                                 1});
            }
            const std::vector shown(surface.Balls.begin() + 1, surface.Balls.end() - 1);
            EXPECT_EQ(shown.size() == frames, frameCost == 0us) << step << " " << refresh;
            EXPECT_LE(shown.size(), frames);
            auto next = slide.begin();  // the frames shown are positions of the slide, in order
            for (const BallPlacement& frame : shown) {
                next = std::find(next, slide.end(), frame);
                ASSERT_NE(next, slide.end()) << frame.Left << " " << frame.Top;
            }
            EXPECT_EQ(shown.back(), slide.back()) << "the last frame is shown";
            EXPECT_TRUE(surface.Now() >= 1ms * slide.size() &&
                        surface.Now() <= 1ms * slide.size() + 4 * frameCost);
        }
    }
}

// Saved positions replay this exact sequence on every platform: changing the algorithm breaks
// every file ever saved.
TEST_F(Game, DrawsFollowThePinnedSequenceAndSkipMatchesReplay) {
    RandomGenerator generator = Seeded(0.5f);
    for (const std::uint32_t value : {12454414u, 6959965u, 4131574u, 7754004u}) {
        EXPECT_EQ(static_cast<std::uint32_t>(generator.Next() * 0x1p24f), value);
    }
    for (std::int16_t n = 1; n <= 81; ++n) {
        EXPECT_TRUE(ScaleDraw(0.0f, n) == 0 && ScaleDraw(std::nextafter(1.0f, 0.0f), n) == n - 1)
            << n;
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
    EXPECT_TRUE(seen[0] + seen[8] == 0 && *std::min_element(&seen[1], &seen[8]) > 50);
    Restore({}, 0, {}, std::numeric_limits<std::int32_t>::max());
    game.RandomColor();
    EXPECT_EQ(state.DrawCount, std::numeric_limits<std::int32_t>::max()) << "stuck at the limit";
}

}  // namespace
}  // namespace zintu::test
