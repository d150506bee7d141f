#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

#include "engine/SavedPosition.h"
#include "storage/Platform.h"

namespace zintu {

inline constexpr std::size_t kPositionFileSize = 193;

std::array<std::uint8_t, kPositionFileSize> EncodePosition(const SavedPosition& position);

// Accepts only what a save can produce: 193 bytes, the header "Zintu 3.1", colour codes 0 to
// 7 with ball colours 1 to 7 in the preview, the seed's type tag 4, a seed in [0, 1) and a
// count of draws of 0 or more.
std::optional<SavedPosition> DecodePosition(std::span<const std::uint8_t> bytes);

std::optional<SavedPosition> ReadPositionFile(const std::filesystem::path& file,
                                              const CallFaults& faults = {});

// Replaces the file in one step through a temporary beside it, so a failed or killed save
// leaves the old file as it was. A read-only file is left alone and the save fails.
bool WritePositionFile(const std::filesystem::path& file, const SavedPosition& position,
                       const CallFaults& faults = {});

}  // namespace zintu
