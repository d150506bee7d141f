#include "BackBuffer.h"
#include "GuiTestSupport.h"
#include "frmZintu.h"

using namespace zintu;

const QColor kFace(192, 192, 192), kGrid(0, 0, 5);

// The colours along row `y` from `x1` to `x2`, repeats dropped.
static std::vector<QColor> Colours(const BackBuffer& buffer, int y, int x1, int x2) {
    std::vector<QColor> colours;
    for (int x = x1; x <= x2; ++x) {
        if (colours.empty() || colours.back() != buffer.Image().pixelColor(x, y)) {
            colours.push_back(buffer.Image().pixelColor(x, y));
        }
    }
    return colours;
}

// Lines and boxes land on whole device pixels at every scale; a disc has smooth edges, and
// a disc in the face colour erases it without a trace.
TEST(BackBuffer, CrispLinesAndBoxesSmoothDiscsTraceFreeErase) {
    for (const qreal ratio : {1.0, 1.5, 2.0}) {
        SCOPED_TRACE(ratio);
        const auto at = [ratio](int twips) { return qRound(twips * ratio / 15); };
        BackBuffer buffer;
        buffer.Reset(QSize(400, 315), ratio, kFace);
        const QImage clean = buffer.Image().copy();
        buffer.Line(600, 100, 600, 4600, kGrid);
        buffer.SetFillColor(Qt::black);
        buffer.Box(630, 115, 450, 470);
        const int lineEnd = at(600) + qRound(ratio), boxEnd = at(1080);
        EXPECT_EQ(Colours(buffer, at(350), at(585), at(1100)),
                  (std::vector<QColor>{kFace, kGrid, kFace, Qt::black, kFace}));
        EXPECT_EQ(Colours(buffer, at(350), lineEnd, lineEnd).front(), kFace) << "one pixel wide";
        EXPECT_EQ(Colours(buffer, at(350), boxEnd, boxEnd).front(), kFace)
            << "the box's right edge";

        buffer.Reset(QSize(400, 315), ratio, kFace);
        buffer.SetFillColor(Qt::red);
        buffer.Disc(350, 350, 150);
        EXPECT_EQ(Colours(buffer, at(350), at(350), at(350)).front(), QColor(Qt::red));
        EXPECT_GT(Colours(buffer, at(425), at(200), at(350)).size(), 2u);
        buffer.SetFillColor(kFace);
        buffer.Disc(350, 350, 150);
        EXPECT_EQ(buffer.Image(), clean);
    }
}

TEST(BackBuffer, DarkFacesGiveWayToLightGrey) {
    EXPECT_EQ(BoardColor(QPalette(QColor(236, 233, 216))), QColor(236, 233, 216));
    EXPECT_EQ(BoardColor(QPalette(QColor(53, 53, 53))), kFace);
}
