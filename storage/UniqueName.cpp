#include "storage/UniqueName.h"

#include <array>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

namespace zintu {
namespace {

constexpr std::u8string_view kSuffix = u8".tmp";
constexpr auto kAbandonedAfter = std::chrono::minutes(1);

// ".<target name>.<hex tag>.tmp" built as a path, not a narrow string, so any file name
// survives on every platform.
std::filesystem::path SiblingName(const std::filesystem::path& target, std::string_view tag) {
    std::filesystem::path name = ".";
    name += target.filename();
    name += ".";
    name += std::string(tag);
    name += kSuffix;
    return name;
}

bool IsHexTag(std::u8string_view tag) {
    return !tag.empty() && tag.size() <= 16 &&
           tag.find_first_not_of(u8"0123456789abcdef") == std::u8string_view::npos;
}

// The target's name when `name` is one that UniqueSiblingPath makes, else empty. UTF-8 keeps
// every name intact where a narrow string might not.
std::u8string TargetOf(const std::u8string& name) {
    const std::u8string_view view(name);
    if (view.size() < 2 + kSuffix.size() || !view.starts_with(u8'.') || !view.ends_with(kSuffix)) {
        return {};
    }
    const std::u8string_view stem = view.substr(1, view.size() - 1 - kSuffix.size());
    const auto dot = stem.rfind(u8'.');
    if (dot == std::u8string_view::npos || dot == 0 || !IsHexTag(stem.substr(dot + 1))) {
        return {};
    }
    return std::u8string(stem.substr(0, dot));
}

bool IsAbandoned(const std::filesystem::directory_entry& entry) {
    std::error_code error;
    const auto written = entry.last_write_time(error);
    return !error && std::filesystem::file_time_type::clock::now() - written > kAbandonedAfter;
}

}  // namespace

std::filesystem::path UniqueSiblingPath(const std::filesystem::path& target) {
    std::random_device device;
    const auto clock = std::chrono::steady_clock::now().time_since_epoch().count();
    const std::uint64_t tag =
        (std::uint64_t{device()} << 32 | device()) ^ static_cast<std::uint64_t>(clock);
    std::array<char, 16> digits{};
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), tag, 16).ptr;
    return target.parent_path() / SiblingName(target, std::string_view(digits.data(), end));
}

void RemoveLeftoverSiblings(const std::filesystem::path& target) {
    const std::u8string ownTarget = target.filename().u8string();
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        const std::u8string of = TargetOf(entries->path().filename().u8string());
        if (!of.empty() && (of == ownTarget || IsAbandoned(*entries))) {
            std::error_code ignored;
            std::filesystem::remove(entries->path(), ignored);
        }
    }
}

}  // namespace zintu
