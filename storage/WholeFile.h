#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

#include "storage/Platform.h"

namespace zintu {

// Makes `bytes` the whole content of `file` by renaming a temporary that is already on the
// disk, so a kill or a full disk leaves the old file or the new one, never a part. A read-only
// file is never replaced; a replaced file keeps its permissions. False on any failure.
bool WriteWholeFile(const std::filesystem::path& file, std::span<const std::uint8_t> bytes,
                    const CallFaults& faults = {});

}  // namespace zintu
