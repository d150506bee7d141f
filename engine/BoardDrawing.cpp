#include "Zintu.h"

namespace zintu {

void Zintu::DrawGrid() {
    ClearBoardArea();
    ReloadScoresForNewGame();
    DrawGridLines();
    SelCol = 0;
    SelRow = 0;
}

void Zintu::Redraw() {
    ClearBoardArea();
    DrawGridLines();
    for (int col = 0; col < kBoardSize; ++col) {
        for (int row = 0; row < kBoardSize; ++row) {
            if (Board[CellIndex(col, row)] == 0) {
                continue;
            }
            if (col == SelCol && row == SelRow) {
                DrawCellBox(col, row, kMarkColor);
            }
            PutBall(col, row, Board[CellIndex(col, row)]);
        }
    }
    DrawNextColor();
}

// Wipes every ball, box and grid line in the foreground colour.
void Zintu::ClearBoardArea() {
    surface_.FilledRectangle(10, 10, 10 + 4600, 10 + 4600);
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
    Board[CellIndex(col, row)] = code;
    surface_.SetFillColor(Palette[code]);
    surface_.Disc(350 + kCellSize * col, 350 + kCellSize * row, kBallRadius);
}

void Zintu::DrawCellBox(int col, int row, ColorValue color) {
    surface_.SetFillColor(color);
    surface_.Box(115 + kCellSize * col, 115 + kCellSize * row, 470, 470);
}

}  // namespace zintu
