#include "Settings.h"

#include <gtest/gtest.h>

#include "TestFiles.h"

namespace zintu {
namespace {

struct SettingsCase {
    const char* what;
    std::string_view bytes;
    PathStyle style;
    std::u32string_view expected;
};

TEST(Settings, FirstLineNamesTheSharedFolder) {
    using enum PathStyle;
    const SettingsCase cases[] = {
        {"CRLF", "C:\\Games\\Zintu\r\nrest", Windows, U"C:\\Games\\Zintu\\"},
        {"ends in backslash", "C:\\Games\\Zintu\\\nrest", Windows, U"C:\\Games\\Zintu\\"},
        {"slash ends it too", "\\\\server\\share/", Windows, U"\\\\server\\share/"},
        {"posix", "/srv/zintu\nrest", Posix, U"/srv/zintu/"},
        {"posix ends in slash", "/srv/zintu/", Posix, U"/srv/zintu/"},
        {"backslash is a name character", "/srv/zintu\\", Posix, U"/srv/zintu\\/"},
        {"byte-order mark", "\xEF\xBB\xBF/srv/zintu", Posix, U"/srv/zintu/"},
        {"trailing CR", "/srv/zintu\r", Posix, U"/srv/zintu/"},
        {"UTF-8", "/srv/\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B", Posix, U"/srv/Игры/"},
        {"Windows-1251", "D:\\\xC8\xE3\xF0\xFB", Windows, U"D:\\Игры\\"},
        {"bad UTF-8 is Windows-1251", "/\xD0\xB3\xC8", Posix, U"/РіИ/"},
        {"empty file", "", Windows, U""},
        {"empty first line", "\r\nC:\\Games", Windows, U""},
        {"mark, then nothing", "\xEF\xBB\xBF\n/srv", Posix, U""},
        {"blanks only", "  \t \n/srv", Posix, U""},
        {"NUL in the name", std::string_view("/srv\0/x", 7), Posix, U""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SharedScoreDirFromSettings(c.bytes, c.style).u32string(), c.expected) << c.what;
    }
}

TEST(Settings, MissingOrUnreadableFileNamesNoFolder) {
    test::TempFolder folder;
    EXPECT_TRUE(ReadSharedScoreDir(folder / "Zintu.ini").empty());
    std::filesystem::create_directory(folder / "Zintu.ini");
    EXPECT_TRUE(ReadSharedScoreDir(folder / "Zintu.ini").empty());
}

TEST(Settings, ReadsOnlyTheFirstLineOfTheFile) {
    test::TempFolder folder;
    const std::string text = "\xEF\xBB\xBF/srv/zintu/\r\n/elsewhere/\r\n";
    test::WriteBytes(folder / "Zintu.ini", {text.begin(), text.end()});
    EXPECT_EQ(ReadSharedScoreDir(folder / "Zintu.ini"), "/srv/zintu/");
}

}  // namespace
}  // namespace zintu
