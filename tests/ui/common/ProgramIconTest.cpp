#include "GuiTestSupport.h"
#include "ProgramIcon.h"

using zintu::ProgramIconImage;

// Drawn for each size, nothing scaled: nine discs, the red ones on the rising diagonal, on
// transparency. The icon tool writes them as an .ico and as the theme's icons, nothing else.
TEST(ProgramIcon, NineDiscsDrawnForEachSizeAndWrittenByTheTool) {
    const auto drawn = [](int size) {
        return ProgramIconImage(size).convertToFormat(QImage::Format_ARGB32);
    };
    QString centres;
    for (int disc = 0; disc < 9; ++disc)
        centres += drawn(48).pixelColor(8 + disc % 3 * 16, 8 + disc / 3 * 16).name() + " ";
    EXPECT_EQ(centres, "#0000ff #ffff00 #ff0000 #00ffff #ff0000 #ffffff #ff0000 #ff00ff #00ff00 ");
    EXPECT_EQ(drawn(48).pixelColor(0, 0).alpha() + drawn(48).pixelColor(16, 16).alpha(), 0);

    QTemporaryDir dir;
    ASSERT_EQ(QProcess::execute(ZINTU_MAKE_ICON, {"ico", dir.filePath("z.ico")}), 0);
    QImageReader ico(dir.filePath("z.ico"), "ico");
    ASSERT_EQ(ico.imageCount(), 7);
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        EXPECT_EQ(ico.read().convertToFormat(QImage::Format_ARGB32), drawn(size)) << size;
        ico.jumpToNextImage();
    }
    ASSERT_EQ(QProcess::execute(ZINTU_MAKE_ICON, {"hicolor", dir.path(), "id"}), 0);
    EXPECT_EQ(QImage(dir.filePath("22x22/apps/id.png")).convertToFormat(QImage::Format_ARGB32),
              drawn(22));
    EXPECT_EQ(QProcess::execute(ZINTU_MAKE_ICON, {"png", dir.filePath("x")}), 2);
    EXPECT_FALSE(QFile::exists(dir.filePath("x")));
}
