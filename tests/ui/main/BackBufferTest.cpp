#include "BackBuffer.h"
#include "GuiTestSupport.h"

using namespace zintu;

// Lines and boxes land on whole device pixels at every scale; a disc has smooth edges, and
// a disc in the face colour erases it without a trace.
TEST(BackBuffer, CrispLinesAndBoxesSmoothDiscsTraceFreeErase) {
    const QColor face(192, 192, 192), grid(0, 0, 5);
    for (const qreal ratio : {1.0, 1.5, 2.0}) {
        SCOPED_TRACE(ratio);
        BackBuffer buffer;
        // The colours along the row at y twips from x1 to x2, repeats dropped.
        const auto colours = [&buffer, ratio](int y, int x1, int x2) {
            std::vector<QColor> seen;
            for (int x = qRound(x1 * ratio / 15); x <= qRound(x2 * ratio / 15); ++x) {
                const QColor pixel = buffer.Image().pixelColor(x, qRound(y * ratio / 15));
                if (seen.empty() || seen.back() != pixel)
                    seen.push_back(pixel);
            }
            return seen;
        };
        buffer.Reset(QSize(400, 315), ratio, face);
        const QImage clean = buffer.Image().copy();
        buffer.Line(600, 100, 600, 4600, grid);
        buffer.SetFillColor(Qt::black);
        buffer.Box(630, 115, 450, 470);
        EXPECT_EQ(colours(350, 585, 1100),
                  (std::vector<QColor>{face, grid, face, Qt::black, face}));
        EXPECT_EQ(colours(350, 600 + 15 * qRound(ratio) / ratio, 1080).front(), face)
            << "one pixel wide";
        EXPECT_EQ(colours(350, 1080, 1080), std::vector{face}) << "the box's right edge";

        buffer.Reset(QSize(400, 315), ratio, face);
        buffer.SetFillColor(Qt::red);
        buffer.Disc(350, 350, 150);
        EXPECT_EQ(colours(350, 350, 350), std::vector<QColor>{Qt::red});
        EXPECT_GT(colours(425, 200, 350).size(), 2u);
        buffer.SetFillColor(face);
        buffer.Disc(350, 350, 150);
        EXPECT_EQ(buffer.Image(), clean);
    }
}
