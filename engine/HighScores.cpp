#include <string>
#include <utility>

#include "engine/Zintu.h"

namespace zintu {

void Zintu::LoadScoreTable() {
    scoresJustStored_ = false;
    scoreStore_.RequestLoad();
}

int Zintu::RecordRank() const {
    return FindRank(state_.Scores, state_.Score);
}

bool Zintu::StoreRecord(std::u32string_view answer) {
    std::u32string name = FitName(answer);
    const bool accepted = IsAcceptableName(name);
    if (accepted) {
        const OleDateTime now = scoreStore_.Now();
        scoreStore_.RequestStore(ScoreRecord{std::move(name), state_.Score, now.Date, now.Time});
    } else {
        scoreStore_.RequestLoad();
    }
    scoresJustStored_ = true;
    return accepted;
}

void Zintu::ScoresArrived(const ScoreTable& table) {
    state_.Scores = table;
    state_.BestScore = state_.Scores[0].Points;
    scoreDisplay_.ShowBestScore(state_.BestScore);
}

void Zintu::ReloadScoresForNewGame() {
    if (!std::exchange(scoresJustStored_, false)) {
        LoadScoreTable();
    }
}

}  // namespace zintu
