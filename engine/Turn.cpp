#include <algorithm>
#include <cmath>

#include "engine/Zintu.h"

namespace zintu {

TurnOutcome Zintu::ReleaseOnBoard(double x, double y, const std::function<void()>& gameOver) {
    if (!WithinBoard(x, y)) {
        return TurnOutcome::Ignored;
    }
    const int col = static_cast<int>(std::nearbyint(x - kBoardOrigin)) / kCellSize;
    const int row = static_cast<int>(std::nearbyint(y - kBoardOrigin)) / kCellSize;
    // The bounds test lets a release within half a twip of the far edge through.
    if (!OnBoard(col, row)) {
        return TurnOutcome::Ignored;
    }
    if (state_.Board[CellIndex(col, row)] > 0) {
        if (col == state_.SelCol && row == state_.SelRow) {
            return TurnOutcome::Ignored;
        }
        SelectBall(col, row);
        return TurnOutcome::Selected;
    }
    if (state_.SelCol < 0) {
        return TurnOutcome::Ignored;
    }
    const std::optional<Grid> path = FindPath(col, row);
    if (!path) {
        return TurnOutcome::Refused;
    }
    return MoveSelectedBall(col, row, *path, gameOver);
}

void Zintu::SelectBall(int col, int row) {
    if (state_.SelCol >= 0) {
        const int oldCol = state_.SelCol;
        const int oldRow = state_.SelRow;
        Unselect();
        PutBall(oldCol, oldRow, state_.Board[CellIndex(oldCol, oldRow)]);
    }
    state_.SelCol = static_cast<std::int16_t>(col);
    state_.SelRow = static_cast<std::int16_t>(row);
    DrawCellBox(col, row, kMarkColor);
    PutBall(col, row, state_.Board[CellIndex(col, row)]);
}

// Wipes the selection's mark, and the ball in it with it, and forgets the selection.
void Zintu::Unselect() {
    if (state_.SelCol >= 0) {
        DrawCellBox(state_.SelCol, state_.SelRow, state_.Palette[0]);
        state_.SelCol = -1;
    }
}

TurnOutcome Zintu::MoveSelectedBall(int col, int row, const Grid& path,
                                    const std::function<void()>& gameOver) {
    const int fromCol = state_.SelCol;
    const int fromRow = state_.SelRow;
    const ColorCode code = state_.Board[CellIndex(fromCol, fromRow)];
    MoveBall(fromCol, fromRow, path);
    Unselect();
    PutBall(fromCol, fromRow, 0);
    state_.SelCol = static_cast<std::int16_t>(col);
    state_.SelRow = static_cast<std::int16_t>(row);
    PutBall(col, row, code);
    const bool removed = CheckRuns(col, row, code);
    state_.SelCol = -1;
    if (removed) {
        return TurnOutcome::MovedWithRun;
    }
    DropPreviewBalls();
    if (CountEmpty() == 0) {
        // Re-entry by design: the game-over callback shows dialogs, stores the score and sets up
        // a new game, and this turn then carries on by choosing that game's next preview.
        gameOver();
    }
    GetNextColor();
    DrawNextColor();
    return TurnOutcome::MovedAndDropped;
}

void Zintu::DropPreviewBalls() {
    const int count = std::min<int>(CountEmpty(), 3);
    for (int i = 1; i <= count; ++i) {
        DropBall(state_.NextColors[i]);
    }
}

}  // namespace zintu
