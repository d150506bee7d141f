#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <array>

#include <gtest/gtest.h>

#include "GuiTestSupport.h"
#include "ProgramIcon.h"

namespace zintu {
namespace {

QImage Straight(const QImage& image) {
    return image.convertToFormat(QImage::Format_ARGB32);
}

TEST(ProgramIcon, OffersEverySizeDrawnForItself) {
    const QIcon icon = ProgramIcon();
    for (const int size : {16, 20, 24, 32, 40, 48, 64, 96, 128, 256}) {
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
        // Equal to the drawing at that size: nothing was scaled to get it.
        EXPECT_EQ(Straight(icon.pixmap(QSize(size, size), 1.0).toImage()),
                  Straight(ProgramIconImage(size)))
            << size;
    }
}

TEST(ProgramIcon, RedDiagonalAmongOutlinedDiscsOnTransparency) {
    const QColor red(255, 0, 0), blue(0, 0, 255), green(0, 255, 0);
    for (const int size : {32, 256}) {
        SCOPED_TRACE(size);
        const QImage image = ProgramIconImage(size);
        const double cell = size / 3.0;
        const auto disc = [&](double column, double row) {
            return image.pixelColor(static_cast<int>(column * cell), static_cast<int>(row * cell));
        };
        EXPECT_EQ(disc(0.5, 0.5), blue);
        EXPECT_EQ(disc(2.5, 0.5), red);
        EXPECT_EQ(disc(1.5, 1.5), red);
        EXPECT_EQ(disc(0.5, 2.5), red);
        EXPECT_EQ(disc(2.5, 2.5), green);
        // The white disc needs its dark rim on light backgrounds.
        EXPECT_LT(disc(2.5 + 0.38, 1.5).lightness(), 80);
        const int last = size - 1;
        for (const QPoint at : {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last),
                                QPoint(size / 3, size / 3)}) {
            EXPECT_EQ(image.pixelColor(at).alpha(), 0) << at.x() << "," << at.y();
        }
    }
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
    const QString path = folder.filePath(QStringLiteral("zintu.ico"));
    ASSERT_EQ(QProcess::execute(QStringLiteral(ZINTU_MAKE_ICON), {QStringLiteral("ico"), path}), 0);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray ico = file.readAll();

    constexpr std::array<int, 7> kSizes{16, 24, 32, 48, 64, 128, 256};
    qsizetype imageStart = 6 + 16 * kSizes.size();
    ASSERT_GE(ico.size(), imageStart);
    EXPECT_EQ(LittleEndian(ico, 0, 4), 0x10000u);  // reserved 0, type 1: icon
    ASSERT_EQ(LittleEndian(ico, 4, 2), kSizes.size());
    for (std::size_t i = 0; i < kSizes.size(); ++i) {
        const int size = kSizes[i];
        SCOPED_TRACE(size);
        const qsizetype entry = 6 + 16 * i;
        EXPECT_EQ(LittleEndian(ico, entry, 1), size % 256u);  // 0 stands for 256
        EXPECT_EQ(LittleEndian(ico, entry + 1, 1), size % 256u);
        const quint32 length = LittleEndian(ico, entry + 8, 4);
        ASSERT_EQ(LittleEndian(ico, entry + 12, 4), imageStart);
        ASSERT_LE(imageStart + length, ico.size());
        const QByteArray png = ico.mid(imageStart, length);
        imageStart += length;
        EXPECT_TRUE(png.startsWith("\x89PNG\r\n\x1a\n"));
        EXPECT_EQ(Straight(QImage::fromData(png, "PNG")), Straight(ProgramIconImage(size)));
    }
    EXPECT_EQ(imageStart, ico.size());
}

TEST(IconTool, WritesTheThemeIconAtEverySizeDesktopsLookUp) {
    QTemporaryDir folder;
    ASSERT_EQ(QProcess::execute(QStringLiteral(ZINTU_MAKE_ICON),
                                {QStringLiteral("hicolor"), folder.path(), QStringLiteral("id")}),
              0);
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString path = folder.filePath(QStringLiteral("%1x%1/apps/id.png").arg(size));
        EXPECT_EQ(Straight(QImage(path, "PNG")), Straight(ProgramIconImage(size))) << size;
    }
}

}  // namespace
}  // namespace zintu
