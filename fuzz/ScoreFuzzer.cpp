#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "storage/ScoreFile.h"
#include "storage/ScoreMerge.h"

namespace {

const zintu::OleDateTime kNow{36852.0, 0.5};

// Scored entries lead, best first. Blanks for unreached ranks may follow entries below 0 points,
// so those are not checked.
bool ScoredEntriesLead(const zintu::ScoreTable& table) {
    return std::is_sorted(table.begin(), table.end(), [](const auto& a, const auto& b) {
        return std::max<std::int32_t>(a.Points, 0) > std::max<std::int32_t>(b.Points, 0);
    });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const zintu::ScoreTable table = zintu::DecodeScoreTable(std::span(data, size), kNow);
    // Bytes compared, not records: NaN dates never equal themselves.
    const auto encoded = zintu::EncodeScoreTable(table);
    if (zintu::EncodeScoreTable(zintu::DecodeScoreTable(encoded, kNow)) != encoded) {
        std::abort();
    }
    // Any file can be a shared copy: the merge must stay well defined for whatever it holds.
    const auto merged = zintu::MergeScoreTables(table, table, kNow);
    if (merged && !ScoredEntriesLead(*merged)) {
        std::abort();
    }
    return 0;
}
