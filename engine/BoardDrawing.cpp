#include "engine/Zintu.h"

namespace zintu {

void Zintu::DrawGrid() {
    ClearBoardArea();
    // A new board shows the record, so it reads the score table, shared copy and all, unless
    // the game over before it has just stored it.
    ReloadScoresForNewGame();
    DrawGridLines();
    state_.SelCol = 0;
    state_.SelRow = 0;
}

void Zintu::Redraw() {
    ClearBoardArea();
    DrawGridLines();
    ForEachCell([this](int col, int row) {
        if (state_.Board[CellIndex(col, row)] == 0) {
            return;
        }
        if (col == state_.SelCol && row == state_.SelRow) {
            DrawCellBox(col, row, kMarkColor);
        }
        PutBall(col, row, state_.Board[CellIndex(col, row)]);
    });
    DrawNextColor();
}

// Wipes every ball, box and grid line in the foreground colour.
void Zintu::ClearBoardArea() {
    surface_.FilledRectangle(kBoardAreaStart, kBoardAreaStart, kBoardAreaEnd, kBoardAreaEnd);
}

void Zintu::DrawGridLines() {
    for (int k = 0; k <= kBoardSize; ++k) {
        const int x = kBoardOrigin + kCellSize * k;
        surface_.Line(x, kBoardOrigin, x, kBoardEnd, kGridColor);
    }
    for (int k = 0; k <= kBoardSize; ++k) {
        const int y = kBoardOrigin + kCellSize * k;
        surface_.Line(kBoardOrigin, y, kBoardEnd, y, kGridColor);
    }
}

void Zintu::PutBall(int col, int row, ColorCode code) {
    state_.Board[CellIndex(col, row)] = code;
    DrawBall(CellCentre(col, row), kBallRadius, code);
}

// Code 0 erases: a disc of the background colour.
void Zintu::DrawBall(TwipPoint centre, int radius, ColorCode code) {
    surface_.SetFillColor(state_.Palette[code]);
    surface_.Disc(centre.X, centre.Y, radius);
    if (code >= 1) {
        surface_.Symbol(centre.X, centre.Y, radius, code);
    }
}

void Zintu::DrawCellBox(int col, int row, ColorValue color) {
    surface_.SetFillColor(color);
    const TwipPoint corner = CellBoxCorner(col, row);
    surface_.Box(corner.X, corner.Y, kCellBoxSide, kCellBoxSide);
}

}  // namespace zintu
