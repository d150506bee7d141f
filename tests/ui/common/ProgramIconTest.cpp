#include "GuiTestSupport.h"
#include "ProgramIcon.h"

using namespace zintu;

static QImage Straight(const QImage& image) {
    return image.convertToFormat(QImage::Format_ARGB32);
}

// Drawn for each size, nothing scaled: nine discs, the red ones on the rising diagonal, on
// transparency. The icon tool writes them as an .ico and as the theme's icons, nothing else.
TEST(ProgramIcon, NineDiscsDrawnForEachSizeAndWrittenByTheTool) {
    for (const int size : {16, 20, 24, 32, 40, 48, 64, 96, 128, 256})
        EXPECT_EQ(Straight(ProgramIcon().pixmap(size).toImage()), Straight(ProgramIconImage(size)));
    const QImage image = ProgramIconImage(48);
    QString centres;
    for (int disc = 0; disc < 9; ++disc)
        centres += image.pixelColor(8 + disc % 3 * 16, 8 + disc / 3 * 16).name() + " ";
    EXPECT_EQ(centres, "#0000ff #ffff00 #ff0000 #00ffff #ff0000 #ffffff #ff0000 #ff00ff #00ff00 ");
    EXPECT_EQ(image.pixelColor(0, 0).alpha() + image.pixelColor(16, 16).alpha(), 0);

    QTemporaryDir dir;
    const auto make = [](const QStringList& args) {
        return QProcess::execute(ZINTU_MAKE_ICON, args);
    };
    ASSERT_EQ(make({"ico", dir.filePath("z.ico")}), 0);
    QImageReader ico(dir.filePath("z.ico"), "ico");
    ASSERT_EQ(ico.imageCount(), 7);
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        EXPECT_EQ(Straight(ico.read()), Straight(ProgramIconImage(size))) << size;
        ico.jumpToNextImage();
    }
    ASSERT_EQ(make({"hicolor", dir.path(), "id"}), 0);
    EXPECT_EQ(Straight(QImage(dir.filePath("22x22/apps/id.png"))), Straight(ProgramIconImage(22)));
    EXPECT_EQ(make({"png", dir.filePath("x")}), 2);
    EXPECT_FALSE(QFile::exists(dir.filePath("x")));
}
