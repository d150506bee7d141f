#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QTemporaryDir>

#include "engine/Zintu.h"
#include "tests/fakes/Fakes.h"
#include "ui/main/BackBuffer.h"
#include "ui/main/BallShape.h"
#include "ui/main/WindowSurface.h"
#include "ui/main/frmZintu.h"

namespace zintu {
namespace {

const QSize kClient(400, 315);
const QColor kFace(192, 192, 192);

// The back buffer at the benchmark's pixel ratio and the window image it is presented on,
// painted as the window's repaint paints it.
class Presentation {
  public:
    explicit Presentation(const benchmark::State& state)
        : ratio_(static_cast<qreal>(state.range(0))),
          window_((QSizeF(kClient) * ratio_).toSize(), QImage::Format_RGB32) {
        buffer.Reset(kClient, ratio_, kFace);
        window_.setDevicePixelRatio(ratio_);
    }

    void Present(QRect logicalClip) {
        QPainter painter(&window_);
        painter.setClipRect(logicalClip);
        painter.drawImage(QPoint(0, 0), buffer.Image());
    }

  private:
    qreal ratio_;
    QImage window_;

  public:
    BackBuffer buffer;
};

// One frame of the removal of a run of five: each cell's box and shrinking disc.
void PresentRemovalFrame(benchmark::State& state) {
    Presentation frame(state);
    int radius = 150;
    for (auto _ : state) {
        for (int col = 2; col < 7; ++col) {
            frame.buffer.SetFillColor(kFace);
            const TwipPoint box = CellBoxCorner(col, 8);
            frame.buffer.Box(box.X, box.Y, kCellBoxSide, kCellBoxSide);
            frame.buffer.SetFillColor(Qt::yellow);
            const TwipPoint centre = CellCentre(col, 8);
            frame.buffer.Disc(centre.X, centre.Y, radius);
        }
        frame.Present(QRect(74, 274, 166, 32));  // the five cells
        radius = radius == 0 ? 150 : radius - 10;
    }
}
BENCHMARK(PresentRemovalFrame)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// The largest drawing: the whole board area cleared.
void PresentClearedBoard(benchmark::State& state) {
    Presentation frame(state);
    for (auto _ : state) {
        frame.buffer.FilledRectangle(kBoardAreaStart, kBoardAreaStart, kBoardAreaEnd,
                                     kBoardAreaEnd);
        frame.Present(QRect(QPoint(0, 0), kClient));
    }
}
BENCHMARK(PresentClearedBoard)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// The game in the real main window, counting the frames that reach the screen.
class PlayedWindow : public QObject {
  public:
    explicit PlayedWindow(const QString& arguments)
        : window_(ScoreFiles{dir_.path().toStdU16String(), {}}, arguments) {
        window_.show();
        QApplication::processEvents();
        window_.installEventFilter(this);
    }
    Zintu& Game() { return window_.Game(); }
    int Frames() const { return frames_; }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        frames_ += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }

  private:
    QTemporaryDir dir_;
    frmZintu window_;
    int frames_ = 0;
};

// Plays `turn` once an iteration in the main window, with symbols on the balls when the
// benchmark's argument is 1. The CPU time is the process's, while the wall time stays that
// of the animation; "frames" are the paints per turn.
template <typename Turn>
void PlayInWindow(benchmark::State& state, Turn turn) {
    PlayedWindow played(state.range(0) == 1 ? QStringLiteral("--symbols") : QString());
    for (auto _ : state) {
        turn(played.Game());
    }
    state.counters["frames"] =
        benchmark::Counter(played.Frames(), benchmark::Counter::kAvgIterations);
}

// A ball sliding down the board, eight cells.
void SlideEightCells(benchmark::State& state) {
    PlayInWindow(state, [](Zintu& game) {
        game.RestorePosition({.Board = {0, 0, 0, 0, 4}});
        game.ReleaseOnBoard(CellCentre(4, 0).X, CellCentre(4, 0).Y, [] {});
        game.MoveBall(4, 0, *game.FindPath(4, 8));
    });
}
BENCHMARK(SlideEightCells)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(5)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// A run of five removed.
void RemoveFive(benchmark::State& state) {
    PlayInWindow(state, [](Zintu& game) {
        game.RestorePosition({});
        for (int col = 2; col < 7; ++col) {
            game.PutBall(col, 4, 3);
        }
        game.CheckRuns(4, 4, 3);
    });
}
BENCHMARK(RemoveFive)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(5)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// Drawing the whole board anew at the benchmark's pixel ratio; the bytes held for fine
// pixels with the five balls of a new game and with a full board.
void FinePictureOfTheBoard(benchmark::State& state) {
    QWidget window;
    BallShape ball(&window);
    QLabel score;
    QLabel best;
    BackBuffer buffer;
    buffer.Reset(kClient, static_cast<qreal>(state.range(0)), kFace);
    WindowSurface surface(window, buffer, ball, score, best, Symbols::Off);
    test::FakeScoreStore scores;
    Zintu game(surface, surface, surface, scores);
    game.NewGame(0.5f, ToColorValue(kFace));
    state.counters["new_game_bytes"] = static_cast<double>(buffer.FineBytes());
    SavedPosition full;
    for (int i = 0; i < 81; ++i) {
        full.Board[i] = static_cast<ColorCode>((i % 9 + 2 * (i / 9)) % 7 + 1);  // no runs
    }
    game.RestorePosition(full);
    for (auto _ : state) {
        game.Redraw();
    }
    state.counters["full_board_bytes"] = static_cast<double>(buffer.FineBytes());
}
BENCHMARK(FinePictureOfTheBoard)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zintu

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
