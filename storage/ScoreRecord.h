#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace zintu {

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

}  // namespace zintu
