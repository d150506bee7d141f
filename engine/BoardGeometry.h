#pragma once

#include "engine/Rules.h"

namespace zintu {

// Where the game draws, in twips from the top left of the main window's client area.

constexpr int kBoardOrigin = 100;  // the grid's top left corner
constexpr int kCellSize = 500;
constexpr int kBoardEnd = kBoardOrigin + kBoardSize * kCellSize;
constexpr int kBallRadius = 150;

// The area a new board wipes: the grid and a margin round it.
constexpr int kBoardAreaStart = 10;
constexpr int kBoardAreaEnd = kBoardAreaStart + kBoardEnd;

// A cell's box (selection mark or eraser) stands inside its grid lines.
constexpr int kCellBoxInset = 15;
constexpr int kCellBoxSide = 470;

// The sliding ball's square overlay, offset from its cell's corner.
constexpr int kSlideBallLeft = 110;
constexpr int kSlideBallTop = 100;
constexpr int kSlideBallSide = 300;

// The three preview discs, right of the board.
constexpr int kPreviewLeft = 5030;
constexpr int kPreviewTop = 250;
constexpr int kPreviewSpacing = 350;

struct TwipPoint {
    int X = 0;
    int Y = 0;

    bool operator==(const TwipPoint&) const = default;
};

constexpr TwipPoint CellCorner(int col, int row) {
    return {kBoardOrigin + kCellSize * col, kBoardOrigin + kCellSize * row};
}
constexpr TwipPoint CellCentre(int col, int row) {
    return {CellCorner(col, row).X + kCellSize / 2, CellCorner(col, row).Y + kCellSize / 2};
}
constexpr TwipPoint CellBoxCorner(int col, int row) {
    return {CellCorner(col, row).X + kCellBoxInset, CellCorner(col, row).Y + kCellBoxInset};
}
// The overlay's top left when the ball rests on (col, row).
constexpr TwipPoint SlideBallCorner(int col, int row) {
    return {CellCorner(col, row).X + kSlideBallLeft, CellCorner(col, row).Y + kSlideBallTop};
}
// The centre of preview disc 1..3.
constexpr TwipPoint PreviewCentre(int index) {
    return {kPreviewLeft + kPreviewSpacing * (index - 1), kPreviewTop};
}
constexpr bool WithinBoard(double x, double y) {
    return x >= kBoardOrigin && x <= kBoardEnd && y >= kBoardOrigin && y <= kBoardEnd;
}

}  // namespace zintu
