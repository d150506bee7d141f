#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPainter>

#include "BackBuffer.h"

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
            frame.buffer.Box(115 + 500 * col, 4115, 470, 470);
            frame.buffer.SetFillColor(Qt::yellow);
            frame.buffer.Disc(350 + 500 * col, 4350, radius);
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
        frame.buffer.FilledRectangle(10, 10, 4610, 4610);
        frame.Present(QRect(QPoint(0, 0), kClient));
    }
}
BENCHMARK(PresentClearedBoard)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zintu

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
