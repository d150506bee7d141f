#include <algorithm>
#include <chrono>

#include "engine/FramePacer.h"
#include "engine/Zintu.h"

namespace zintu {
namespace {

// The time of one ball position; a one-cell step at MoveStep 10 has 50 of them.
constexpr std::chrono::microseconds kSlideFrame{1000};
// Each step's first position, in twips past its cell.
constexpr int kFirstOffset = 10;

struct Offset {
    int dCol;
    int dRow;
};
// Neighbours in the order the wave spreads: up, right, down, left.
constexpr Offset kWaveOrder[] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};
// Neighbours in the order that breaks ties between equally short paths: left, right, up, down.
constexpr Offset kStepOrder[] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};

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

Grid WaveDistances(const Grid& board, int startCol, int startRow) {
    Grid marks{};
    for (std::size_t i = 0; i < board.size(); ++i) {
        marks[i] = board[i] != 0 ? -1 : 0;
    }
    marks[CellIndex(startCol, startRow)] = 1;
    for (std::int16_t distance = 1; distance != 0;) {
        std::int16_t newest = 0;
        ForEachCell([&](int col, int row) {
            if (marks[CellIndex(col, row)] == distance) {
                if (const std::int16_t written = SpreadWave(marks, col, row); written >= 1) {
                    newest = written;
                }
            }
        });
        distance = newest;
    }
    return marks;
}

std::int16_t SpreadWave(Grid& marks, int col, int row) {
    const auto value = static_cast<std::int16_t>(marks[CellIndex(col, row)] + 1);
    bool wrote = false;
    for (const Offset& o : kWaveOrder) {
        const int c = col + o.dCol;
        const int r = row + o.dRow;
        if (OnBoard(c, r) && marks[CellIndex(c, r)] == 0) {
            marks[CellIndex(c, r)] = value;
            wrote = true;
        }
    }
    return wrote ? value : 0;
}

Grid PathTrace(const Grid& distances, int startCol, int startRow, int targetCol, int targetRow) {
    std::int16_t distance = distances[CellIndex(targetCol, targetRow)];
    Grid trace{};
    trace[CellIndex(targetCol, targetRow)] = distance;
    for (int col = targetCol, row = targetRow; distance > 2;) {
        --distance;
        StepTo(distances, col, row, distance);
        trace[CellIndex(col, row)] = distance;
    }
    trace[CellIndex(startCol, startRow)] = 1;
    return trace;
}

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

std::optional<Grid> Zintu::FindPath(int targetCol, int targetRow) {
    const Grid distances = WaveDistances(state_.Board, state_.SelCol, state_.SelRow);
    if (distances[CellIndex(targetCol, targetRow)] >= 1) {
        return PathTrace(distances, state_.SelCol, state_.SelRow, targetCol, targetRow);
    }
    clock_.Beep();
    return std::nullopt;
}

void Zintu::MoveBall(int startCol, int startRow, const Grid& path) {
    DrawCellBox(startCol, startRow, state_.Palette[0]);
    const ColorCode code = state_.Board[CellIndex(startCol, startRow)];
    const TwipPoint corner = SlideBallCorner(startCol, startRow);
    ball_ = {corner.X, corner.Y, kSlideBallSide, kSlideBallSide, state_.Palette[code], true, code};
    surface_.PlaceBall(ball_);

    const int steps = *std::max_element(path.begin(), path.end()) - 1;
    const int positionsPerStep = (kCellSize - kFirstOffset) / moveStep_ + 1;
    FramePacer pacer(clock_, steps * positionsPerStep, kSlideFrame);
    int col = startCol;
    int row = startRow;
    for (std::int16_t step = 2;; ++step) {
        const int fromCol = col;
        const int fromRow = row;
        if (StepTo(path, col, row, step) == 0) {
            break;
        }
        SlideBall(fromCol, fromRow, col, row, pacer);
    }
    pacer.Finish();
    ball_.Visible = false;
    surface_.PlaceBall(ball_);
}

void Zintu::SlideBall(int fromCol, int fromRow, int toCol, int toRow, FramePacer& pacer) {
    const Offset direction = SlideDirection(fromCol, fromRow, toCol, toRow);
    const TwipPoint corner = SlideBallCorner(fromCol, fromRow);
    for (int offset = kFirstOffset; offset <= kCellSize; offset += moveStep_) {
        ball_.Left = corner.X + direction.dCol * offset;
        ball_.Top = corner.Y + direction.dRow * offset;
        if (pacer.Next()) {
            surface_.PlaceBall(ball_);
        }
    }
}

}  // namespace zintu
