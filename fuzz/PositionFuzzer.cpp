#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "storage/PositionFile.h"

namespace {

bool IsColorCode(std::int16_t code) {
    return code >= 0 && code <= 7;
}

bool IsBallColor(std::int16_t code) {
    return code >= 1 && code <= 7;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const auto position = zintu::DecodePosition(bytes);
    if (!position) {
        return 0;
    }
    // The game relies on codes 0 to 7 only, and on balls in the preview; an accepted file must
    // be one a save could write.
    const auto& next = position->NextColors;
    const bool codesOk = std::all_of(position->Board.begin(), position->Board.end(), IsColorCode) &&
                         IsColorCode(next[0]) &&
                         std::all_of(next.begin() + 1, next.end(), IsBallColor);
    const auto again = zintu::EncodePosition(*position);
    if (!codesOk || !std::equal(again.begin(), again.end(), bytes.begin(), bytes.end())) {
        std::abort();
    }
    return 0;
}
