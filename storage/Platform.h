#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <system_error>
#include <vector>

namespace zintu {

// The few file and process calls that the standard library lacks; the only place that knows
// the operating system.

// Busy: a failure that may pass on its own (a network share's EIO or EBUSY, a sharing
// violation on Windows); worth another try after a pause.
enum class NewFileResult { Created, AlreadyExists, Busy, Failed };

// Creates `file` only if nothing has that name yet, writes `bytes` and flushes them to the disk
// before closing. On a failure after creation the file is removed again.
NewFileResult CreateNewFile(const std::filesystem::path& file, std::span<const std::uint8_t> bytes);

struct FileStart {
    std::vector<std::uint8_t> Bytes;
    std::int64_t Stamp = 0;  // the modification time as the file system keeps it; compared only
                             // for equality, never with a clock
};

// The first `limit` bytes of a regular file. A FIFO, device or folder is refused at once, without
// waiting for a writer; so is anything that cannot be opened.
std::optional<FileStart> ReadFileStart(const std::filesystem::path& file, std::size_t limit);

// Writes `bytes` over the start of an existing regular file, in place, keeping what follows,
// if `mayWrite` still allows it once the file is open: only the write itself comes after it.
bool OverwriteFileStart(const std::filesystem::path& file, std::span<const std::uint8_t> bytes,
                        const std::function<bool()>& mayWrite);

bool IsTransientError(const std::error_code& error);

std::uint64_t CurrentProcessId();

}  // namespace zintu
