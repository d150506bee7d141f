#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

namespace zintu {

struct LockTiming {
    std::chrono::milliseconds Patience{2000};    // longest wait for another holder
    std::chrono::milliseconds StaleAfter{5000};  // a lock file this old belongs to a dead holder
    std::chrono::milliseconds Retry{5};
};

// An exclusive hold shared by every process that can reach the folder, also across machines:
// a lock file, created only when absent, that names its holder. Released when destroyed.
class FileLock {
  public:
    // Waits within the patience; empty when the lock could not be had or the folder is not
    // writable.
    static std::optional<FileLock> Acquire(const std::filesystem::path& lockFile,
                                           const LockTiming& timing = {});

    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();

  private:
    FileLock(std::filesystem::path file, std::string holder);
    void Release();

    std::filesystem::path file_;  // empty once released or moved from
    std::string holder_;
};

}  // namespace zintu
