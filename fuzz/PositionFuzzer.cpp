#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "PositionFile.h"

namespace {

bool IsColorCode(std::int16_t code) {
    return code >= 0 && code <= 7;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const auto position = zintu::DecodePosition(bytes);
    if (!position) {
        return 0;
    }
    // The game relies on codes 0 to 7 only; an accepted file must be one a save could write.
    const bool codesOk =
        std::all_of(position->Board.begin(), position->Board.end(), IsColorCode) &&
        std::all_of(position->NextColors.begin(), position->NextColors.end(), IsColorCode);
    const auto again = zintu::EncodePosition(*position);
    if (!codesOk || !std::equal(again.begin(), again.end(), bytes.begin(), bytes.end())) {
        std::abort();
    }
    return 0;
}
