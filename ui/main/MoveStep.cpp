#include "ui/main/MoveStep.h"

#include <charconv>
#include <cmath>
#include <optional>

namespace zintu {
namespace {

constexpr std::int16_t kDefaultStep = 10;
constexpr std::int16_t kLargestStep = 20;

std::string_view TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A plain decimal number that fits a signed 16-bit integer once rounded half to even.
std::optional<std::int16_t> ToInt16(std::string_view text) {
    if (text.starts_with('+')) {
        text.remove_prefix(1);
    }
    double value = 0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    const double rounded = std::nearbyint(value);
    if (!(rounded >= INT16_MIN && rounded <= INT16_MAX)) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(rounded);
}

}  // namespace

std::int16_t MoveStepFromArguments(std::string_view arguments) {
    const std::int16_t step = ToInt16(TrimBlanks(arguments)).value_or(0);
    return step < kDefaultStep || step > kLargestStep ? kDefaultStep : step;
}

}  // namespace zintu
