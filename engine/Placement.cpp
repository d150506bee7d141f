#include <algorithm>
#include <limits>

#include "engine/Zintu.h"

namespace zintu {

std::int16_t Zintu::RandomInt(std::int16_t n) {
    // Stuck at the limit, the count no longer restores the generator exactly, but the game
    // goes on and its saves stay readable.
    if (state_.DrawCount < std::numeric_limits<std::int32_t>::max()) {
        ++state_.DrawCount;
    }
    return ScaleDraw(generator_.Next(), n);
}

ColorCode Zintu::RandomColor() {
    return static_cast<ColorCode>(RandomInt(kColorCount) + 1);
}

std::int16_t Zintu::CountEmpty() const {
    return static_cast<std::int16_t>(std::count(state_.Board.begin(), state_.Board.end(), 0));
}

int DropCell(const Grid& board, int draw) {
    // A draw of 0 counts as 1: the first empty cell is twice as likely, the last never
    // chosen while two or more are empty. Saved games depend on this exact choice.
    int remaining = std::max(draw, 1);
    int cell = -1;
    ForEachCell([&](int col, int row) {
        if (cell < 0 && board[CellIndex(col, row)] == 0 && --remaining == 0) {
            cell = CellIndex(col, row);
        }
    });
    return cell;
}

void Zintu::DropBall(ColorCode code) {
    const std::int16_t empty = CountEmpty();
    if (empty == 0) {
        return;
    }
    const int cell = DropCell(state_.Board, RandomInt(empty));
    const int col = cell % kBoardSize;
    const int row = cell / kBoardSize;
    PutBall(col, row, code);
    CheckRuns(col, row, code, RunPoints::Unscored);
}

}  // namespace zintu
