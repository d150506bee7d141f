// Every input is read as each kind of file the game takes from disk or a share: a position, a
// score table and the settings. Each aborts on a result the game could not live with.
#include <algorithm>
#include <cstdlib>
#include <span>
#include <string>

#include "storage/PositionFile.h"
#include "storage/ScoreFile.h"
#include "storage/ScoreMerge.h"
#include "storage/Settings.h"

namespace {

using namespace zintu;

void Require(bool holds) {
    if (!holds) {
        std::abort();
    }
}

// Accepted only as a save writes it: codes 0 to 7, balls in the preview, the same bytes again.
void CheckPosition(std::span<const std::uint8_t> bytes) {
    const auto position = DecodePosition(bytes);
    if (!position) {
        return;
    }
    const auto code = [](int low) { return [low](std::int16_t c) { return c >= low && c <= 7; }; };
    const auto& next = position->NextColors;
    Require(std::ranges::all_of(position->Board, code(0)) && code(0)(next[0]) &&
            std::all_of(next.begin() + 1, next.end(), code(1)));
    Require(std::ranges::equal(EncodePosition(*position), bytes));
}

// Bytes compared, not records: NaN dates never equal themselves. Any file can be a shared copy,
// so the merge must keep scored entries first, best first, whatever it holds; blanks for unreached
// ranks may follow entries below 0 points.
void CheckScores(std::span<const std::uint8_t> bytes) {
    const OleDateTime now{36852.0, 0.5};
    const ScoreTable table = DecodeScoreTable(bytes, now);
    const auto encoded = EncodeScoreTable(table);
    Require(EncodeScoreTable(DecodeScoreTable(encoded, now)) == encoded);
    const auto merged = MergeScoreTables(table, table, now);
    Require(!merged || std::ranges::is_sorted(*merged, std::greater{}, [](const ScoreRecord& r) {
        return std::max<std::int32_t>(r.Points, 0);
    }));
}

// Empty or ending in a separator, so that "Zintu.scr" never joins the last folder name.
void CheckSettings(std::string_view bytes, PathStyle style, std::string_view separators) {
    const std::string dir = SharedScoreDirFromSettings(bytes, style).string();
    Require(dir.empty() || separators.find(dir.back()) != std::string_view::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    CheckPosition(bytes);
    CheckScores(bytes);
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckSettings(text, PathStyle::Windows, "\\/");
    CheckSettings(text, PathStyle::Posix, "/");
    return 0;
}
