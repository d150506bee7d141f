#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPainter>

#include "BackBuffer.h"

namespace zintu {
namespace {

const QSize kClient(400, 315);

// One frame of the removal of a run of five: each cell's box and shrinking disc are drawn
// and averaged down, then the picture is painted as the window's repaint paints it.
void PresentRemovalFrame(benchmark::State& state) {
    const qreal ratio = static_cast<qreal>(state.range(0));
    BackBuffer buffer;
    buffer.Reset(kClient, ratio, QColor(192, 192, 192));
    QImage window((QSizeF(kClient) * ratio).toSize(), QImage::Format_RGB32);
    window.setDevicePixelRatio(ratio);
    int radius = 150;
    for (auto _ : state) {
        for (int col = 2; col < 7; ++col) {
            buffer.SetFillColor(QColor(192, 192, 192));
            buffer.Box(115 + 500 * col, 4115, 470, 470);
            buffer.SetFillColor(Qt::yellow);
            buffer.Disc(350 + 500 * col, 4350, radius);
        }
        QPainter painter(&window);
        painter.setClipRect(QRect(74, 274, 166, 32));  // the five cells, logical pixels
        painter.drawImage(QPoint(0, 0), buffer.Image());
        radius = radius == 0 ? 150 : radius - 10;
    }
}
BENCHMARK(PresentRemovalFrame)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// The largest drawing: the whole board area cleared, averaged down and painted.
void PresentClearedBoard(benchmark::State& state) {
    const qreal ratio = static_cast<qreal>(state.range(0));
    BackBuffer buffer;
    buffer.Reset(kClient, ratio, QColor(192, 192, 192));
    QImage window((QSizeF(kClient) * ratio).toSize(), QImage::Format_RGB32);
    window.setDevicePixelRatio(ratio);
    for (auto _ : state) {
        buffer.FilledRectangle(10, 10, 4610, 4610);
        QPainter painter(&window);
        painter.drawImage(QPoint(0, 0), buffer.Image());
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
