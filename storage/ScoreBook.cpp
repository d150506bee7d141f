#include "ScoreBook.h"

#include <algorithm>

#include "ScoreFile.h"
#include "ScoreMerge.h"
#include "Settings.h"

namespace zintu {
namespace {

LoadedScores ReadAndMerge(const ScoreFiles& files, const OleDateTime& now) {
    const std::filesystem::path sharedDir = ReadSharedScoreDir(files.SettingsFile);
    const ScoreTable shared =
        sharedDir.empty() ? BlankTable(now) : ReadScoreFile(sharedDir / kScoreFileName, now);
    const ScoreTable local = ReadScoreFile(files.AppFolder / kScoreFileName, now);
    if (auto merged = MergeScoreTables(shared, local, now)) {
        return {*merged, sharedDir};
    }
    return {local, {}};
}

}  // namespace

LoadedScores LoadScoreTable(const ScoreFiles& files, const OleDateTime& now) {
    LoadedScores loaded = ReadAndMerge(files, now);
    if (!loaded.SharedScoreDir.empty()) {
        WriteScoreFile(loaded.SharedScoreDir / kScoreFileName, loaded.Table);
        WriteScoreFile(files.AppFolder / kScoreFileName, loaded.Table);
    }
    return loaded;
}

int FindRank(const ScoreTable& table, std::int32_t score) {
    const auto beaten = std::find_if(table.begin(), table.end(),
                                     [score](const ScoreRecord& r) { return r.Points < score; });
    return beaten == table.end() ? 0 : static_cast<int>(beaten - table.begin()) + 1;
}

std::u32string FitName(std::u32string_view answer) {
    std::u32string name(answer.substr(0, ScoreRecord::kNameLength));
    name.resize(ScoreRecord::kNameLength, U' ');
    return name;
}

bool IsAcceptableName(std::u32string_view fittedName) {
    return fittedName.find_first_not_of(U' ') != std::u32string_view::npos;
}

void InsertRecord(ScoreTable& table, int rank, const ScoreRecord& record) {
    if (rank < 1 || rank > static_cast<int>(table.size())) {
        return;
    }
    const auto place = table.begin() + (rank - 1);
    std::move_backward(place, table.end() - 1, table.end());
    *place = record;
}

LoadedScores StoreRecord(const ScoreFiles& files, const ScoreRecord& entry,
                         const OleDateTime& now) {
    LoadedScores fresh = ReadAndMerge(files, now);
    InsertRecord(fresh.Table, FindRank(fresh.Table, entry.Points), entry);
    WriteScoreFile(files.AppFolder / kScoreFileName, fresh.Table);
    if (!fresh.SharedScoreDir.empty()) {
        WriteScoreFile(fresh.SharedScoreDir / kScoreFileName, fresh.Table);
    }
    return fresh;
}

}  // namespace zintu
