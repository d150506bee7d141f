#include "OleDate.h"
#include "Zintu.h"

namespace zintu {

void Zintu::LoadScoreTable() {
    const LoadedScores loaded = scoreStore_.Load(OleNow());
    Scores = loaded.Table;
    SharedScoreDir = loaded.SharedScoreDir;
    ShowBestScore();
}

int Zintu::RecordRank() {
    LoadScoreTable();
    return FindRank(Scores, Score);
}

bool Zintu::StoreRecord(std::u32string_view answer) {
    ScoreRecord entry;
    entry.Name = FitName(answer);
    if (!IsAcceptableName(entry.Name)) {
        return false;
    }
    const OleDateTime now = OleNow();
    entry.Points = Score;
    entry.Date = now.Date;
    entry.Time = now.Time;
    const LoadedScores stored = scoreStore_.Store(entry, now);
    Scores = stored.Table;
    SharedScoreDir = stored.SharedScoreDir;
    ShowBestScore();
    return true;
}

void Zintu::ShowBestScore() {
    BestScore = Scores[0].Points;
    surface_.ShowBestScore(BestScore);
}

}  // namespace zintu
