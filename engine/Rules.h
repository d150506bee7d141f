#pragma once

#include <array>
#include <cstdint>

namespace zintu {

// Colour codes: 0 empty, 1..7 red, green, yellow, blue, magenta, cyan, white.
using ColorCode = std::int16_t;
constexpr int kBoardSize = 9;
constexpr int kColorCount = 7;
// A 9 by 9 grid, cell (c, r) at c + 9r.
using Grid = std::array<std::int16_t, kBoardSize * kBoardSize>;

constexpr int CellIndex(int col, int row) {
    return col + kBoardSize * row;
}
constexpr bool OnBoard(int col, int row) {
    return col >= 0 && col < kBoardSize && row >= 0 && row < kBoardSize;
}
// Visits every cell column by column from the top left, the order in which the board is
// drawn and drops count empty cells.
template <typename Visit>
constexpr void ForEachCell(Visit&& visit) {
    for (int col = 0; col < kBoardSize; ++col) {
        for (int row = 0; row < kBoardSize; ++row) {
            visit(col, row);
        }
    }
}

// --- path search ---
// Wave distances over the empty cells: 1 on the start, -1 on every other ball, 0 where the
// wave never arrives.
Grid WaveDistances(const Grid& board, int startCol, int startRow);
// Gives the empty unmarked neighbours of (col, row) its mark plus one; returns that value,
// or 0 when there was none.
std::int16_t SpreadWave(Grid& marks, int col, int row);
// The shortest path as steps 1 (the start) to the target's distance, 0 elsewhere. Walked
// back from the target; among equal neighbours left wins, then right, up, down.
Grid PathTrace(const Grid& distances, int startCol, int startRow, int targetCol, int targetRow);
// Moves (col, row) to the first neighbour, in the tie-break order, holding `value` (a distance
// walking back, a step walking forward); returns it, or 0 and stays when no neighbour holds it.
std::int16_t StepTo(const Grid& grid, int& col, int& row, std::int16_t value);

// --- runs ---
struct RunLengths {
    int Horizontal = 1;
    int Vertical = 1;
    int Diagonal = 1;
    int AntiDiagonal = 1;
};
struct RunCheck {
    RunLengths Lengths;
    Grid Marks{};  // 1..4: the direction of the run a ball leaves with; the centre holds 1
    bool Any() const;
};
// The runs of `code` through (col, row), the centre counted as one of them.
RunCheck FindRuns(const Grid& board, int col, int row, ColorCode code);
void ClearMarks(Grid& marks, std::int16_t value);

// --- placement ---
// The cell a drop takes for a draw of 0 .. empty - 1: the draw-th empty cell, column by
// column, a draw of 0 counting as 1. -1 on a full board.
int DropCell(const Grid& board, int draw);

}  // namespace zintu
