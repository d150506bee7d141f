#include <algorithm>
#include <array>
#include <chrono>
#include <limits>

#include "engine/FramePacer.h"
#include "engine/Zintu.h"

namespace zintu {
namespace {

constexpr int kRunLength = 5;

// The removal shows 16 frames of 20 ms, radii 150 down to 0.
constexpr std::chrono::milliseconds kRemovalFrame{20};
constexpr int kRadiusStep = 10;
constexpr int kRemovalFrames = kBallRadius / kRadiusStep + 1;

// Counts the balls of `code` in a line through (col, row), the centre included, marking
// every other ball of it; walks backwards first, then forwards.
int RunLength(const Grid& board, Grid& marks, int col, int row, int dCol, int dRow, ColorCode code,
              std::int16_t mark) {
    int length = 1;
    for (const int sign : {-1, 1}) {
        int c = col + sign * dCol;
        int r = row + sign * dRow;
        for (; OnBoard(c, r) && board[CellIndex(c, r)] == code;
             c += sign * dCol, r += sign * dRow) {
            marks[CellIndex(c, r)] = mark;
            ++length;
        }
    }
    return length;
}

}  // namespace

bool RunCheck::Any() const {
    return Lengths.Horizontal >= kRunLength || Lengths.Vertical >= kRunLength ||
           Lengths.Diagonal >= kRunLength || Lengths.AntiDiagonal >= kRunLength;
}

RunCheck FindRuns(const Grid& board, int col, int row, ColorCode code) {
    RunCheck runs;
    Grid& marks = runs.Marks;
    RunLengths& lengths = runs.Lengths;
    marks[CellIndex(col, row)] = 1;
    lengths.Horizontal = RunLength(board, marks, col, row, 1, 0, code, 1);
    if (lengths.Horizontal < kRunLength) {
        ClearMarks(marks, 1);
        marks[CellIndex(col, row)] = 1;  // the centre always goes if anything goes
    }
    lengths.Vertical = RunLength(board, marks, col, row, 0, 1, code, 2);
    if (lengths.Vertical < kRunLength) {
        ClearMarks(marks, 2);
    }
    lengths.Diagonal = RunLength(board, marks, col, row, 1, 1, code, 3);
    if (lengths.Diagonal < kRunLength) {
        ClearMarks(marks, 3);
    }
    lengths.AntiDiagonal = RunLength(board, marks, col, row, -1, 1, code, 4);
    if (lengths.AntiDiagonal < kRunLength) {
        ClearMarks(marks, 4);
    }
    return runs;
}

void ClearMarks(Grid& marks, std::int16_t value) {
    for (auto& mark : marks) {
        if (mark == value) {
            mark = 0;
        }
    }
}

bool Zintu::CheckRuns(int col, int row, ColorCode code, RunPoints points) {
    if (code == 0) {
        return false;
    }
    const RunCheck runs = FindRuns(state_.Board, col, row, code);
    if (!runs.Any()) {
        return false;
    }

    Grid removed{};
    for (std::size_t i = 0; i < state_.Board.size(); ++i) {
        if (runs.Marks[i] >= 1) {
            removed[i] = state_.Board[i];
            state_.Board[i] = 0;
        }
    }
    AnimateRemoval(removed);
    if (points == RunPoints::Scored) {
        // A score read from a file may start near the limit; it stops there.
        const RunLengths& l = runs.Lengths;
        const std::int64_t sum = std::int64_t{state_.Score} +
                                 LinePoints(l.Horizontal, l.Vertical, l.Diagonal, l.AntiDiagonal);
        state_.Score = static_cast<std::int32_t>(
            std::min<std::int64_t>(sum, std::numeric_limits<std::int32_t>::max()));
        scoreDisplay_.ShowScore(state_.Score);
    }
    return true;
}

std::int32_t Zintu::LinePoints(int horizontal, int vertical, int diagonal, int antiDiagonal) {
    int count = 0;
    std::array<int, 2> first{};
    for (const int length : {horizontal, vertical, diagonal, antiDiagonal}) {
        if (length >= kRunLength) {
            if (count < 2) {
                first[count] = length;
            }
            ++count;
        }
    }
    if (count == 1) {
        constexpr std::array<std::int32_t, 5> kSingle = {10, 12, 18, 28, 42};
        return first[0] <= 9 ? kSingle[first[0] - kRunLength] : 0;
    }
    if (count == 2) {
        std::int32_t points = 60;
        std::int32_t increment = 22;
        for (int total = 11; total <= first[0] + first[1]; ++total) {
            points += increment;
            increment += 4;
        }
        return points;
    }
    return count >= 3 ? 300 : 0;
}

void Zintu::AnimateRemoval(const Grid& removed) {
    FramePacer pacer(clock_, kRemovalFrames, kRemovalFrame);
    for (int radius = kBallRadius; radius >= 0; radius -= kRadiusStep) {
        if (!pacer.Next()) {
            continue;
        }
        ForEachCell([&](int col, int row) {
            if (const auto code = removed[CellIndex(col, row)]; code >= 1) {
                DrawCellBox(col, row, state_.Palette[0]);
                DrawBall(CellCentre(col, row), radius, code);
            }
        });
        surface_.Refresh();
    }
    pacer.Finish();
    ForEachCell([&](int col, int row) {
        if (removed[CellIndex(col, row)] >= 1) {
            DrawCellBox(col, row, state_.Palette[0]);
        }
    });
}

}  // namespace zintu
