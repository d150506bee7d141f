#include <benchmark/benchmark.h>

#include <algorithm>

#include "engine/Zintu.h"
#include "tests/fakes/Fakes.h"

namespace zintu {
namespace {

// The surface's clock moves only by waits, so every frame is in time and only the rules and the
// recording are measured.
class Bench {
  public:
    Bench() { game.NewGame(0.5f, 0xc0c0c0); }
    // Restores `board` and selects the ball at (0, 0).
    void SelectFirst(const Grid& board) {
        game.RestorePosition({board});
        game.ReleaseOnBoard(CellCentre(0, 0).X, CellCentre(0, 0).Y, [] {});
    }

    test::RecordingSurface surface;
    test::FakeScoreStore scores;
    Zintu game{surface, surface, surface, scores};
};

// Every third cell holds a ball, in a pattern without runs.
Grid Crowd() {
    Grid board{};
    for (int i = 0; i < 81; i += 3) {
        board[i] = static_cast<ColorCode>(i % 7 + 1);
    }
    return board;
}

void FindPathEmpty(benchmark::State& state) {
    Bench bench;
    bench.SelectFirst({1});
    for (auto _ : state) {
        benchmark::DoNotOptimize(bench.game.FindPath(8, 8));
    }
}
BENCHMARK(FindPathEmpty);

void FindPathCrowded(benchmark::State& state) {
    Bench bench;
    bench.SelectFirst(Crowd());
    for (auto _ : state) {
        benchmark::DoNotOptimize(bench.game.FindPath(8, 7));
    }
}
BENCHMARK(FindPathCrowded);

void CheckRunsWithoutRun(benchmark::State& state) {
    Bench bench;
    bench.game.RestorePosition({Crowd()});
    for (auto _ : state) {
        benchmark::DoNotOptimize(bench.game.CheckRuns(3, 3, Crowd()[CellIndex(3, 3)]));
    }
}
BENCHMARK(CheckRunsWithoutRun);

void CheckRunsWithRun(benchmark::State& state) {
    Bench bench;
    bench.game.RestorePosition({});
    for (auto _ : state) {
        bench.surface.Clear();  // keeps the recording from growing without bound
        for (int col = 0; col < 5; ++col)
            bench.game.PutBall(col, 4, 2);
        benchmark::DoNotOptimize(bench.game.CheckRuns(2, 4, 2));
    }
}
BENCHMARK(CheckRunsWithRun);

// One player's move from the first ball to the first reachable empty cell, with the drops,
// the new preview and, at game over, a new game.
void WholeTurn(benchmark::State& state) {
    Bench bench;
    Zintu& game = bench.game;
    for (auto _ : state) {
        bench.surface.Clear();
        const Grid& board = game.State().Board;
        const auto ball =
            std::find_if(board.begin(), board.end(), [](std::int16_t code) { return code > 0; });
        const int from = static_cast<int>(ball - board.begin());
        const TwipPoint ballAt = CellCentre(from % 9, from / 9);
        game.ReleaseOnBoard(ballAt.X, ballAt.Y, [] {});
        for (int to = 0; to < 81; ++to) {
            if (board[to] == 0 && game.FindPath(to % 9, to / 9)) {
                const TwipPoint targetAt = CellCentre(to % 9, to / 9);
                game.ReleaseOnBoard(targetAt.X, targetAt.Y,
                                    [&game] { game.NewGame(0.5f, 0xc0c0c0); });
                break;
            }
        }
        if (game.State().SelCol >= 0) {  // the ball was stuck: start again
            game.NewGame(0.25f, 0xc0c0c0);
        }
    }
}
BENCHMARK(WholeTurn);

void SkipAhead(benchmark::State& state) {
    RandomGenerator generator;
    for (auto _ : state) {
        generator.Seed(0.5f);
        generator.Skip(static_cast<std::uint64_t>(state.range(0)));
        benchmark::DoNotOptimize(generator);
    }
}
BENCHMARK(SkipAhead)->Arg(1'000)->Arg(1'000'000)->Arg(1'000'000'000);

void Replay(benchmark::State& state) {
    RandomGenerator generator;
    for (auto _ : state) {
        generator.Seed(0.5f);
        for (std::int64_t i = 0; i < state.range(0); ++i) {
            benchmark::DoNotOptimize(generator.Next());
        }
    }
}
BENCHMARK(Replay)->Arg(1'000)->Arg(1'000'000)->Arg(1'000'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zintu
