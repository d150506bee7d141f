#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <ratio>
#include <span>
#include <system_error>
#include <vector>

namespace zintu {

// The few file and process calls that the standard library lacks; the only place that knows
// the operating system.

// Busy: a failure that may pass on its own (a network share's EIO or EBUSY, a sharing
// violation on Windows); worth another try after a pause.
enum class NewFileResult { Created, AlreadyExists, Busy, Failed };

// Flushed: on the disk before the file is closed, for a file that is to replace another.
enum class Durability { Flushed, Unflushed };

// What happens to one read, write or flush call: it moves at most `Limit` bytes, or fails with
// `Error` without reaching the file, as calls to a full disk or a failing share do now and then.
struct CallFault {
    std::size_t Limit = SIZE_MAX;
    std::errc Error{};
};
enum class CallKind { Read, Write, Flush };
// Asked before each such call. The game passes none; tests pass faults to see that short,
// interrupted and failed calls never leave half a file.
using CallFaults = std::function<CallFault(CallKind)>;

// Creates `file` only if nothing has that name yet and writes `bytes`. On a failure after
// creation the file is removed again.
NewFileResult CreateNewFile(const std::filesystem::path& file, std::span<const std::uint8_t> bytes,
                            Durability durability = Durability::Flushed,
                            const CallFaults& faults = {});

// A modification time as the file system keeps it, in 100 ns ticks from the file system's own
// epoch: the file server's clock on a share. Compared only with stamps of the same folder, never
// with this machine's clock.
using FileStamp = std::chrono::duration<std::int64_t, std::ratio<1, 10'000'000>>;

struct FileStart {
    std::vector<std::uint8_t> Bytes;
    FileStamp Stamp{};
};

// The stamp of a file or folder; empty when it cannot be had.
std::optional<FileStamp> ModificationTime(const std::filesystem::path& path);

// The first `limit` bytes of a regular file. A FIFO, device or folder is refused at once, without
// waiting for a writer; so is anything that cannot be opened.
std::optional<FileStart> ReadFileStart(const std::filesystem::path& file, std::size_t limit,
                                       const CallFaults& faults = {});

enum class OverwriteResult { Written, Missing, Failed };

// Writes `bytes` over the start of an existing regular file, in place, keeping what follows,
// if `mayWrite` still allows it once the file is open: only the write itself comes after it.
// A write that stops part-way puts the old start and length back, as far as the file lets it.
OverwriteResult OverwriteFileStart(const std::filesystem::path& file,
                                   std::span<const std::uint8_t> bytes,
                                   const std::function<bool()>& mayWrite,
                                   const CallFaults& faults = {});

// Removes an empty folder, as one call: the standard library first tries it as a file.
void RemoveEmptyFolder(const std::filesystem::path& folder, std::error_code& error);

bool IsTransientError(const std::error_code& error);

std::uint64_t CurrentProcessId();

}  // namespace zintu
