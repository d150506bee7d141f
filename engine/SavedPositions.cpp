#include "engine/Zintu.h"

namespace zintu {

SavedPosition Zintu::Snapshot(float randomSeed) const {
    SavedPosition position;
    position.Board = Board;
    position.Score = Score;
    position.NextColors = NextColors;
    position.RandomSeed = randomSeed;
    position.DrawCount = DrawCount;
    return position;
}

void Zintu::RestorePosition(const SavedPosition& position) {
    Board = position.Board;
    Score = position.Score;
    NextColors = position.NextColors;
    DrawCount = position.DrawCount;
    Unselect();
    ForEachCell([this](int col, int row) { PutBall(col, row, Board[CellIndex(col, row)]); });
    DrawNextColor();
    scoreDisplay_.ShowScore(Score);
    Generator.Seed(position.RandomSeed);
    Generator.Skip(static_cast<std::uint64_t>(position.DrawCount));
}

}  // namespace zintu
