#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "RecordingSurface.h"
#include "Zintu.h"

namespace zintu::test {

constexpr ColorValue kFace = 0xc0c0c0;

// A game with a recording surface and score files in a folder of its own.
class GameFixture : public ::testing::Test {
  protected:
    GameFixture() : folder_(MakeFolder()), game(surface, {folder_, folder_ / "Zintu.ini"}) {
        game.Palette = {kFace,    0x0000ff, 0x00ff00, 0x00ffff,
                        0xff0000, 0xff00ff, 0xffff00, 0xffffff};
        game.ScoringOn = true;
        game.SelCol = -1;
    }
    ~GameFixture() override { std::filesystem::remove_all(folder_); }

    // Nine rows of nine characters: '.' empty, R G Y B M C W for colours 1 to 7.
    void SetBoard(const std::string& picture);
    std::string BoardPicture() const;
    static Grid ParseGrid(const std::string& picture);
    // Balls everywhere, no two neighbours in any direction of one colour: no runs.
    static std::string FullBoardWithoutRuns();

    RecordingSurface surface;

  private:
    static std::filesystem::path MakeFolder();
    std::filesystem::path folder_;

  protected:
    Zintu game;
};

}  // namespace zintu::test
