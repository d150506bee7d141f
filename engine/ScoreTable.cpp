#include "engine/ScoreTable.h"

#include <algorithm>

namespace zintu {

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

}  // namespace zintu
