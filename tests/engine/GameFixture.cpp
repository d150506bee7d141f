#include "GameFixture.h"

#include <atomic>
#include <string_view>

namespace zintu::test {
namespace {

constexpr std::string_view kCodes = ".RGYBMCW";

}  // namespace

Grid GameFixture::ParseGrid(const std::string& picture) {
    Grid grid{};
    int cell = 0;
    for (const char ch : picture) {
        if (const auto code = kCodes.find(ch); code != std::string_view::npos) {
            const int col = cell % kBoardSize;
            const int row = cell / kBoardSize;
            grid[CellIndex(col, row)] = static_cast<std::int16_t>(code);
            ++cell;
        }
    }
    EXPECT_EQ(cell, 81) << "a board picture needs 81 cells";
    return grid;
}

void GameFixture::SetBoard(const std::string& picture) {
    game.Board = ParseGrid(picture);
}

std::string GameFixture::BoardPicture() const {
    std::string picture;
    for (int row = 0; row < kBoardSize; ++row) {
        for (int col = 0; col < kBoardSize; ++col) {
            picture += kCodes[game.Board[CellIndex(col, row)]];
        }
        picture += '\n';
    }
    return picture;
}

std::string GameFixture::FullBoardWithoutRuns() {
    std::string picture;
    for (int row = 0; row < kBoardSize; ++row) {
        for (int col = 0; col < kBoardSize; ++col) {
            picture += kCodes[(col + 2 * row) % kColorCount + 1];
        }
    }
    return picture;
}

std::filesystem::path GameFixture::MakeFolder() {
    static std::atomic<int> counter{0};
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    auto folder = std::filesystem::temp_directory_path() /
                  ("zintu-engine-" + std::string(info->name()) + "-" + std::to_string(++counter));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

}  // namespace zintu::test
