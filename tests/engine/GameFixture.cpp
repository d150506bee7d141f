#include "GameFixture.h"

#include <sstream>

namespace zintu::test {
namespace {

constexpr std::string_view kColours = ".RGYBMCW";

std::int16_t CellValue(char ch) {
    if (ch >= '1' && ch <= '9') {
        return static_cast<std::int16_t>(ch - '0');
    }
    if (ch >= 'a' && ch <= 'z') {
        return static_cast<std::int16_t>(ch - 'a' + 10);
    }
    if (ch == '#') {
        return -1;
    }
    if (ch == 'S') {
        return 1;
    }
    const auto code = kColours.find(ch);
    EXPECT_TRUE(ch == 'T' || code != std::string_view::npos) << "unknown cell " << ch;
    return code == std::string_view::npos ? 0 : static_cast<std::int16_t>(code);
}

}  // namespace

std::vector<std::string> Cells(std::string_view picture) {
    std::vector<std::string> grids;
    std::istringstream lines{std::string(picture)};
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::size_t k = 0;
        for (std::string word; words >> word; ++k) {
            grids.resize(std::max(grids.size(), k + 1));
            grids[k] += word;
        }
    }
    for (std::string& grid : grids) {
        EXPECT_EQ(grid.size() % kBoardSize, 0u) << picture;
        grid.resize(kBoardSize * kBoardSize, '.');
    }
    return grids;
}

Grid ToGrid(std::string_view cells) {
    Grid grid{};
    for (std::size_t i = 0; i < grid.size() && i < cells.size(); ++i) {
        grid[i] = CellValue(cells[i]);
    }
    return grid;
}

Grid FullBoardWithoutRuns() {
    Grid grid{};
    for (int row = 0; row < kBoardSize; ++row) {
        for (int col = 0; col < kBoardSize; ++col) {
            grid[CellIndex(col, row)] =
                static_cast<std::int16_t>((col + 2 * row) % kColorCount + 1);
        }
    }
    return grid;
}

}  // namespace zintu::test
