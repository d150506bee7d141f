#include "Zintu.h"

namespace zintu {

void Zintu::DrawGrid() {
    surface_.FilledRectangle(10, 10, 10 + 4600, 10 + 4600);
    LoadScoreTable();
    for (int k = 0; k <= kBoardSize; ++k) {
        const int x = kBoardOrigin + kCellSize * k;
        surface_.Line(x, kBoardOrigin, x, kBoardEnd, kGridColor);
    }
    for (int k = 0; k <= kBoardSize; ++k) {
        const int y = kBoardOrigin + kCellSize * k;
        surface_.Line(kBoardOrigin, y, kBoardEnd, y, kGridColor);
    }
    SelCol = 0;
    SelRow = 0;
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
