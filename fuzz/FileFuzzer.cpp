// Every input read as each file the game takes from a disk or a share. A position is accepted
// only as a save writes it; a table reads back as it was written (bytes compared: a NaN date
// never equals itself) and merges best first; a shared folder's name ends in a separator, so
// that the table's name never joins the folder's.
#include <algorithm>
#include <cstdlib>
#include <functional>

#include "storage/PositionFile.h"
#include "storage/ScoreFile.h"
#include "storage/ScoreMerge.h"
#include "storage/Settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zintu;
    const std::span<const std::uint8_t> bytes(data, size);
    const std::optional<SavedPosition> position = DecodePosition(bytes);
    const ScoreTable decoded = DecodeScoreTable(bytes, {});
    const auto table = EncodeScoreTable(decoded);
    const auto merged = MergeScoreTables(decoded, decoded, {});
    const auto points = [](const ScoreRecord& record) { return std::max(record.Points, 0); };
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string windows = SharedScoreDirFromSettings(text, PathStyle::Windows).string();
    const std::string posix = SharedScoreDirFromSettings(text, PathStyle::Posix).string();
    if ((position && !std::ranges::equal(EncodePosition(*position), bytes)) ||
        EncodeScoreTable(DecodeScoreTable(table, {})) != table ||
        (merged && !std::ranges::is_sorted(*merged, std::greater{}, points)) ||
        (!windows.empty() && windows.find_last_of("\\/") != windows.size() - 1) ||
        (!posix.empty() && posix.back() != '/')) {
        std::abort();
    }
    return 0;
}
