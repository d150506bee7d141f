#include <chrono>

#include "FramePacer.h"
#include "Zintu.h"

namespace zintu {
namespace {

// One slide frame; a one-cell step at MoveStep 10 shows 50 of them.
constexpr std::chrono::microseconds kSlideFrame{1000};

struct Offset {
    int dCol;
    int dRow;
};
// Neighbours in the order the wave spreads: up, right, down, left.
constexpr Offset kWaveOrder[] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};
// Neighbours in the order that breaks ties between equally short paths: left, right, up, down.
constexpr Offset kStepOrder[] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};

std::int16_t StepTo(const Grid& grid, int& col, int& row, std::int16_t value) {
    for (const Offset& o : kStepOrder) {
        const int c = col + o.dCol;
        const int r = row + o.dRow;
        if (OnBoard(c, r) && grid[CellIndex(c, r)] == value) {
            col = c;
            row = r;
            return value;
        }
    }
    return 0;
}

// A vertical step wins over a horizontal one; a path never has both.
Offset SlideDirection(int fromCol, int fromRow, int toCol, int toRow) {
    Offset direction{0, 0};
    if (fromCol != toCol) {
        direction = {fromCol < toCol ? 1 : -1, 0};
    }
    if (fromRow != toRow) {
        direction = {0, fromRow < toRow ? 1 : -1};
    }
    return direction;
}

}  // namespace

bool Zintu::FindPath(int targetCol, int targetRow) {
    for (std::size_t i = 0; i < Board.size(); ++i) {
        Marks[i] = Board[i] != 0 ? -1 : 0;
    }
    Marks[CellIndex(SelCol, SelRow)] = 1;
    for (std::int16_t distance = 1; distance != 0;) {
        std::int16_t newest = 0;
        for (int col = 0; col < kBoardSize; ++col) {
            for (int row = 0; row < kBoardSize; ++row) {
                if (Marks[CellIndex(col, row)] == distance) {
                    if (const std::int16_t written = SpreadWave(col, row); written >= 1) {
                        newest = written;
                    }
                }
            }
        }
        distance = newest;
    }
    if (Marks[CellIndex(targetCol, targetRow)] >= 1) {
        return true;
    }
    surface_.Beep();
    return false;
}

std::int16_t Zintu::SpreadWave(int col, int row) {
    const auto value = static_cast<std::int16_t>(Marks[CellIndex(col, row)] + 1);
    bool wrote = false;
    for (const Offset& o : kWaveOrder) {
        const int c = col + o.dCol;
        const int r = row + o.dRow;
        if (OnBoard(c, r) && Marks[CellIndex(c, r)] == 0) {
            Marks[CellIndex(c, r)] = value;
            wrote = true;
        }
    }
    return wrote ? value : 0;
}

void Zintu::MoveBall(int startCol, int startRow, int targetCol, int targetRow) {
    DrawCellBox(startCol, startRow, Palette[0]);
    const ColorValue color = Palette[Board[CellIndex(startCol, startRow)]];
    ball_ = {kCellSize * startCol + 210, kCellSize * startRow + 200, 300, 300, color, true};
    surface_.PlaceBall(ball_);

    std::int16_t distance = Marks[CellIndex(targetCol, targetRow)];
    Trace.fill(0);
    Trace[CellIndex(targetCol, targetRow)] = distance;
    for (int col = targetCol, row = targetRow; distance > 2;) {
        --distance;
        StepBack(col, row, distance);
        Trace[CellIndex(col, row)] = distance;
    }
    Trace[CellIndex(startCol, startRow)] = 1;

    FramePacer pacer(surface_, kSlideFrame);
    int col = startCol;
    int row = startRow;
    for (std::int16_t step = 2;; ++step) {
        const int fromCol = col;
        const int fromRow = row;
        if (StepForward(col, row, step) == 0) {
            break;
        }
        SlideBall(fromCol, fromRow, col, row, pacer);
    }
    if (!pacer.InTime()) {
        surface_.PlaceBall(ball_);  // however late, the ball is seen to arrive
    }
    ball_.Visible = false;
    surface_.PlaceBall(ball_);
}

std::int16_t Zintu::StepBack(int& col, int& row, std::int16_t distance) {
    return StepTo(Marks, col, row, distance);
}

std::int16_t Zintu::StepForward(int& col, int& row, std::int16_t step) {
    return StepTo(Trace, col, row, step);
}

void Zintu::SlideBall(int fromCol, int fromRow, int toCol, int toRow, FramePacer& pacer) {
    const Offset direction = SlideDirection(fromCol, fromRow, toCol, toRow);
    for (int offset = 10; offset <= kCellSize; offset += MoveStep) {
        ball_.Left = kCellSize * fromCol + 210 + direction.dCol * offset;
        ball_.Top = kCellSize * fromRow + 200 + direction.dRow * offset;
        if (pacer.NextInTime()) {
            surface_.PlaceBall(ball_);
            pacer.Wait();
        }
    }
}

}  // namespace zintu
