#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zintu {

// OLE Automation dates: days since 1899-12-30 00:00 local time, time of day as the fraction.
struct OleDateTime {
    double Date = 0.0;  // whole days
    double Time = 0.0;  // fraction of a day, to the second
};

// One high-score entry. Dates are OLE Automation dates (days since 1899-12-30, local time).
struct ScoreRecord {
    static constexpr std::size_t kNameLength = 18;

    std::u32string Name = std::u32string(kNameLength, U' ');  // always kNameLength characters
    std::int32_t Points = 0;                                  // 0 marks an empty slot
    double Date = 0.0;                                        // whole days
    double Time = 0.0;                                        // fraction of a day

    bool operator==(const ScoreRecord&) const = default;
};

// The ten best entries, best first.
using ScoreTable = std::array<ScoreRecord, 10>;

// The place, 1 to 10, that a score takes below every entry with the same points; 0 for none.
int FindRank(const ScoreTable& table, std::int32_t score);

// The answer to the name prompt cut or padded with blanks to the 18 characters of a name.
std::u32string FitName(std::u32string_view answer);
bool IsAcceptableName(std::u32string_view fittedName);

// Moves the entries from rank on down by one place, dropping the last one.
void InsertRecord(ScoreTable& table, int rank, const ScoreRecord& record);

}  // namespace zintu
