#include "engine/Zintu.h"

namespace zintu {

SavedPosition Zintu::Snapshot() const {
    SavedPosition position;
    position.Board = state_.Board;
    position.Score = state_.Score;
    position.NextColors = state_.NextColors;
    position.RandomSeed = state_.RandomSeed;
    position.DrawCount = state_.DrawCount;
    return position;
}

void Zintu::RestorePosition(const SavedPosition& position) {
    state_.Board = position.Board;
    state_.Score = position.Score;
    state_.NextColors = position.NextColors;
    state_.DrawCount = position.DrawCount;
    state_.RandomSeed = position.RandomSeed;
    Unselect();
    ForEachCell([this](int col, int row) { PutBall(col, row, state_.Board[CellIndex(col, row)]); });
    DrawNextColor();
    scoreDisplay_.ShowScore(state_.Score);
    generator_.Seed(position.RandomSeed);
    generator_.Skip(static_cast<std::uint64_t>(position.DrawCount));
}

}  // namespace zintu
