#include "storage/ScoreMerge.h"

#include <algorithm>
#include <compare>
#include <cstddef>
#include <iterator>
#include <utility>
#include <vector>

#include "storage/ScoreFile.h"

namespace zintu {
namespace {

// Doubles from a file may be NaN; weak_order keeps the sort well defined for them and agrees
// with < and == on numbers.
std::weak_ordering Compare(const ScoreRecord& a, const ScoreRecord& b) {
    if (const auto byPoints = b.Points <=> a.Points; byPoints != 0) {
        return byPoints;
    }
    if (const auto byDate = std::weak_order(a.Date, b.Date); byDate != 0) {
        return byDate;
    }
    if (const auto byTime = std::weak_order(a.Time, b.Time); byTime != 0) {
        return byTime;
    }
    return a.Name <=> b.Name;
}

std::vector<ScoreRecord> WorkList(const ScoreTable& shared, const ScoreTable& local) {
    std::vector<ScoreRecord> list;
    std::copy_if(shared.begin(), shared.end(), std::back_inserter(list),
                 [](const ScoreRecord& r) { return r.Points > 0; });
    if (!list.empty()) {
        list.insert(list.end(), local.begin(), local.end());
    }
    return list;
}

ScoreTable BestTen(std::vector<ScoreRecord> list, const OleDateTime& now) {
    std::sort(list.begin(), list.end(),
              [](const ScoreRecord& a, const ScoreRecord& b) { return Compare(a, b) < 0; });
    const auto distinctEnd = std::unique(
        list.begin(), list.end(), [](const auto& a, const auto& b) { return Compare(a, b) == 0; });
    ScoreTable table = BlankTable(now);
    const auto count = std::min<std::ptrdiff_t>(distinctEnd - list.begin(), table.size());
    std::copy_n(list.begin(), count, table.begin());
    return table;
}

}  // namespace

std::optional<ScoreTable> MergeScoreTables(const ScoreTable& shared, const ScoreTable& local,
                                           const OleDateTime& now) {
    std::vector<ScoreRecord> list = WorkList(shared, local);
    if (list.empty()) {
        return std::nullopt;
    }
    return BestTen(std::move(list), now);
}

ScoreTable StartSharedTable(const ScoreTable& local, const OleDateTime& now) {
    return BestTen({local.begin(), local.end()}, now);
}

}  // namespace zintu
