#include <QImage>
#include <set>

#include "BackBuffer.h"
#include "GuiTestSupport.h"
#include "frmZintu.h"

#include <gtest/gtest.h>

namespace zintu::test {
namespace {

const QColor kFace(192, 192, 192);
const QColor kGrid(0, 0, 5);

// Every pixel of a row segment, as the set of distinct colours.
std::set<QRgb> ColoursAlong(const QImage& image, int y, int x1, int x2) {
    std::set<QRgb> colours;
    for (int x = x1; x <= x2; ++x)
        colours.insert(image.pixel(x, y));
    return colours;
}

TEST(BackBuffer, LinesAndBoxesLandOnWholeDevicePixelsAtEveryScale) {
    for (const qreal ratio : {1.0, 1.5, 2.0}) {
        BackBuffer buffer;
        buffer.Reset(QSize(400, 315), ratio, kFace);
        buffer.Line(600, 100, 600, 4600, QColor(kGrid));
        buffer.SetFillColor(Qt::black);
        buffer.Box(615, 115, 470, 470);
        const QImage image = buffer.Image();
        EXPECT_EQ(image.size(), QSize(qRound(400 * ratio), qRound(315 * ratio))) << ratio;
        EXPECT_DOUBLE_EQ(image.devicePixelRatio(), ratio);

        // The vertical line is a solid run of grid pixels, as wide as a logical pixel.
        const int lineX = qRound(40 * ratio);
        const int width = qRound(ratio);
        const int y = qRound(150 * ratio);
        for (int x = lineX; x < lineX + width; ++x) {
            EXPECT_EQ(image.pixelColor(x, y), kGrid) << ratio << " at " << x;
        }
        EXPECT_EQ(image.pixelColor(lineX - 1, y), kFace) << ratio;
        EXPECT_EQ(image.pixelColor(lineX + width, y), kFace) << ratio;

        // Across the box: face, its border, black inside, border, face; nothing blended.
        const int boxY = qRound((115 + 235) * ratio / 15);
        const auto colours =
            ColoursAlong(image, boxY, qRound(620 * ratio / 15), qRound(1090 * ratio / 15));
        EXPECT_EQ(colours, (std::set<QRgb>{kFace.rgb(), QColor(Qt::black).rgb()})) << ratio;
    }
}

TEST(BackBuffer, DiscHasSmoothEdgesAndErasesWithTheFaceColourWithoutTrace) {
    for (const qreal ratio : {1.0, 1.5, 2.0}) {
        BackBuffer buffer;
        buffer.Reset(QSize(400, 315), ratio, kFace);
        const QImage clean = buffer.Image().copy();
        buffer.SetFillColor(Qt::red);
        buffer.Disc(350, 350, 150);
        const QImage drawn = buffer.Image().copy();
        const int centre = qRound(350 * ratio / 15);
        const int radius = qRound(150 * ratio / 15);
        EXPECT_EQ(drawn.pixelColor(centre, centre), QColor(Qt::red)) << ratio;
        // Across the rim, where it runs slanted, the face blends into red through shades.
        const auto rim = ColoursAlong(drawn, centre + radius / 2, centre - radius, centre);
        EXPECT_GT(rim.size(), 2u) << ratio;

        buffer.SetFillColor(kFace);
        buffer.Disc(350, 350, 150);
        EXPECT_EQ(buffer.Image(), clean) << ratio;
    }
}

TEST(BoardColour, DarkFacesGiveWayToLightGrey) {
    QPalette light;
    light.setColor(QPalette::Button, QColor(236, 233, 216));
    EXPECT_EQ(BoardColor(light), QColor(236, 233, 216));
    QPalette dark;
    dark.setColor(QPalette::Button, QColor(53, 53, 53));
    EXPECT_EQ(BoardColor(dark), QColor(192, 192, 192));
}

}  // namespace
}  // namespace zintu::test
