#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QTemporaryDir>
#include <array>

#include <gtest/gtest.h>

#include "GuiTestSupport.h"
#include "ProgramIcon.h"
#include "Twips.h"

namespace zintu {
namespace {

const QColor kRed(255, 0, 0);

QColor DiscCentre(const QImage& image, int column, int row) {
    const double cell = image.width() / 3.0;
    return image.pixelColor(static_cast<int>((column + 0.5) * cell),
                            static_cast<int>((row + 0.5) * cell));
}

TEST(ProgramIcon, OffersEverySizeDrawnForItself) {
    const QIcon icon = ProgramIcon();
    const QList<QSize> sizes = icon.availableSizes();
    for (const int size : {16, 20, 24, 32, 40, 48, 64, 96, 128, 256}) {
        SCOPED_TRACE(size);
        EXPECT_TRUE(sizes.contains(QSize(size, size)));
        // Equal to the drawing at that size means no image was scaled to get it.
        const QImage shown = icon.pixmap(QSize(size, size), 1.0).toImage();
        EXPECT_EQ(shown.convertToFormat(QImage::Format_ARGB32),
                  ProgramIconImage(size).convertToFormat(QImage::Format_ARGB32));
    }
}

TEST(ProgramIcon, RedDiagonalAmongColouredDiscsOnTransparency) {
    const std::array<QColor, 9> expected{
        QColor(0, 0, 255),
        QColor(255, 255, 0),
        kRed,
        QColor(0, 255, 255),
        kRed,
        QColor(255, 255, 255),
        kRed,
        QColor(255, 0, 255),
        QColor(0, 255, 0),
    };
    for (const int size : {32, 256}) {
        SCOPED_TRACE(size);
        const QImage image = ProgramIconImage(size);
        for (int index = 0; index < 9; ++index) {
            EXPECT_EQ(DiscCentre(image, index % 3, index / 3), expected[index]) << "disc " << index;
        }
        const int last = size - 1;
        for (const QPoint corner :
             {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)}) {
            EXPECT_EQ(image.pixelColor(corner).alpha(), 0);
        }
        // Where four discs nearly meet there is still background between them.
        EXPECT_EQ(image.pixelColor(size / 3, size / 3).alpha(), 0);
    }
}

TEST(ProgramIcon, WhiteDiscHasDarkRim) {
    const QImage image = ProgramIconImage(256);
    const double cell = 256 / 3.0;
    const QColor rim =
        image.pixelColor(static_cast<int>(2.5 * cell + 0.38 * cell), static_cast<int>(1.5 * cell));
    EXPECT_EQ(rim.alpha(), 255);
    EXPECT_LT(rim.lightness(), 80);
}

TEST(Twips, RoundToTheNearestPixel) {
    EXPECT_EQ(TwipsToPixels(0), 0);
    EXPECT_EQ(TwipsToPixels(7), 0);
    EXPECT_EQ(TwipsToPixels(8), 1);
    EXPECT_EQ(TwipsToPixels(127), 8);
    EXPECT_EQ(TwipsToPixels(3160), 211);
    EXPECT_EQ(TwipsToPixels(-7), 0);
    EXPECT_EQ(TwipsToPixels(-8), -1);
    EXPECT_EQ(TwipsRect(1620, 2760, 1095, 375), QRect(108, 184, 73, 25));
}

quint32 LittleEndian(const QByteArray& bytes, qsizetype offset, int count) {
    quint32 value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<quint8>(bytes.at(offset + i));
    }
    return value;
}

TEST(IconTool, WritesSevenPngImagesIntoAnIcoFile) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("zintu.ico"));
    ASSERT_EQ(QProcess::execute(QStringLiteral(ZINTU_MAKE_ICON), {path}), 0);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray ico = file.readAll();

    constexpr std::array<int, 7> kSizes{16, 24, 32, 48, 64, 128, 256};
    constexpr int kDirectoryEnd = 6 + 16 * static_cast<int>(kSizes.size());
    ASSERT_GE(ico.size(), kDirectoryEnd);
    EXPECT_EQ(LittleEndian(ico, 0, 2), 0u);
    EXPECT_EQ(LittleEndian(ico, 2, 2), 1u);
    ASSERT_EQ(LittleEndian(ico, 4, 2), kSizes.size());

    qsizetype expectedOffset = kDirectoryEnd;
    for (std::size_t i = 0; i < kSizes.size(); ++i) {
        const int size = kSizes[i];
        SCOPED_TRACE(size);
        const qsizetype entry = 6 + 16 * static_cast<qsizetype>(i);
        const quint32 sizeByte = size == 256 ? 0 : size;
        EXPECT_EQ(LittleEndian(ico, entry, 1), sizeByte);
        EXPECT_EQ(LittleEndian(ico, entry + 1, 1), sizeByte);
        EXPECT_EQ(LittleEndian(ico, entry + 4, 2), 1u);
        EXPECT_EQ(LittleEndian(ico, entry + 6, 2), 32u);
        const quint32 length = LittleEndian(ico, entry + 8, 4);
        const quint32 offset = LittleEndian(ico, entry + 12, 4);
        ASSERT_EQ(offset, expectedOffset);
        ASSERT_LE(offset + length, static_cast<quint32>(ico.size()));
        expectedOffset += length;

        const QByteArray png = ico.mid(offset, length);
        EXPECT_TRUE(png.startsWith("\x89PNG\r\n\x1a\n"));
        const QImage image = QImage::fromData(png, "PNG");
        ASSERT_EQ(image.size(), QSize(size, size));
        EXPECT_EQ(image.convertToFormat(QImage::Format_ARGB32),
                  ProgramIconImage(size).convertToFormat(QImage::Format_ARGB32));
    }
    EXPECT_EQ(expectedOffset, ico.size());
}

}  // namespace
}  // namespace zintu
