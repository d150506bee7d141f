#include "AppFolder.h"

#include <gtest/gtest.h>

#include "TestFiles.h"

namespace zintu {
namespace {

TEST(AppFolder, InstalledLayoutAloneMovesTheScoresToTheUserFolder) {
    const std::filesystem::path marker = "../share/applications/zintu.desktop";
    struct Row {
        const char* name;
        bool installed;  // the marker file exists beside bin/
        bool programFolderWritable;
        std::filesystem::path markerGiven;
        bool expectUserFolder;
    };
    const Row rows[] = {
        {"installed", true, true, marker, true},
        {"portable", false, true, marker, false},
        // Unwritable today must not mean another score table than yesterday.
        {"portable in an unwritable folder", false, false, marker, false},
        // Where no installed layout exists the executable's own folder must not count.
        {"no installed layout known", true, true, {}, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        test::TempFolder folder;
        if (row.installed) {
            std::filesystem::create_directories(folder / "share/applications");
            test::WriteBytes(folder / "share/applications/zintu.desktop", {});
        }
        test::WriteBytes(folder / "file", {});
        // Nothing can be created under a file.
        const auto exeDir = row.programFolderWritable ? folder / "bin" : folder / "file" / "bin";
        std::filesystem::create_directories(folder / "bin");
        const auto userDir = folder / "user" / "Zintu";

        EXPECT_EQ(ChooseAppFolder(exeDir, row.markerGiven, userDir),
                  row.expectUserFolder ? userDir : exeDir);
        EXPECT_EQ(std::filesystem::is_directory(userDir), row.expectUserFolder);
        EXPECT_TRUE(std::filesystem::is_empty(folder / "bin"));
    }
}

}  // namespace
}  // namespace zintu
