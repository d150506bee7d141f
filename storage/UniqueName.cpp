#include "UniqueName.h"

#include <array>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <random>
#include <string>

namespace zintu {

std::filesystem::path UniqueSiblingPath(const std::filesystem::path& target) {
    std::random_device device;
    const auto clock = std::chrono::steady_clock::now().time_since_epoch().count();
    const std::uint64_t tag =
        (std::uint64_t{device()} << 32 | device()) ^ static_cast<std::uint64_t>(clock);
    std::array<char, 16> digits{};
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), tag, 16).ptr;
    // Built as a path, not a narrow string, so any file name survives on every platform.
    std::filesystem::path name = ".";
    name += target.filename();
    name += ".";
    name += std::string(digits.data(), end);
    name += ".tmp";
    return target.parent_path() / name;
}

}  // namespace zintu
