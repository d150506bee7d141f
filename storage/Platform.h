#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace zintu {

// The few file and process calls that the standard library lacks; the only place that knows
// the operating system.

enum class NewFileResult { Created, AlreadyExists, Failed };

// Creates `file` only if nothing has that name yet, writes `bytes` and flushes them to the disk
// before closing. On a failure after creation the file is removed again.
NewFileResult CreateNewFile(const std::filesystem::path& file, std::span<const std::uint8_t> bytes);

std::uint64_t CurrentProcessId();

}  // namespace zintu
