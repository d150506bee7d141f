#include "AppFolder.h"

#include <gtest/gtest.h>

#include "TestFiles.h"

namespace zintu {
namespace {

TEST(AppFolder, WritableExecutableFolderIsUsedAndLeftClean) {
    test::TempFolder folder;
    EXPECT_EQ(ChooseAppFolder(folder.Path(), folder / "user"), folder.Path());
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

TEST(AppFolder, UnwritableExecutableFolderFallsBackToUserData) {
    test::TempFolder folder;
    test::WriteBytes(folder / "file", {});
    const auto exeDir = folder / "file" / "bin";  // under a file: nothing can be created there
    const auto userDir = folder / "user" / "Zintu";
    EXPECT_EQ(ChooseAppFolder(exeDir, userDir), userDir);
    EXPECT_TRUE(std::filesystem::is_directory(userDir));
}

}  // namespace
}  // namespace zintu
