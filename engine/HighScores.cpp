#include <optional>
#include <string>
#include <utility>

#include "engine/Zintu.h"

namespace zintu {

void Zintu::LoadScoreTable() {
    scoresJustStored_ = false;
    Show(scoreStore_.Load());
}

int Zintu::RecordRank() {
    Show(scoreStore_.Peek());
    return FindRank(Scores, Score);
}

bool Zintu::StoreRecord(std::u32string_view answer) {
    const OleDateTime now = scoreStore_.Now();
    std::u32string name = FitName(answer);
    std::optional<ScoreRecord> entry;
    if (IsAcceptableName(name)) {
        entry = ScoreRecord{std::move(name), Score, now.Date, now.Time};
    }
    Show(scoreStore_.Store(entry));
    scoresJustStored_ = true;
    return entry.has_value();
}

void Zintu::ReloadScoresForNewGame() {
    if (!std::exchange(scoresJustStored_, false)) {
        LoadScoreTable();
    }
}

void Zintu::Show(const ScoreTable& table) {
    Scores = table;
    BestScore = Scores[0].Points;
    surface_.ShowBestScore(BestScore);
}

}  // namespace zintu
