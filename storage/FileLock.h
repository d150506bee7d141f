#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "storage/Platform.h"

namespace zintu {

struct LockTiming {
    std::chrono::milliseconds Patience{2000};    // longest wait for another holder
    std::chrono::milliseconds StaleAfter{5000};  // a hold seen this long belongs to a dead holder
    std::chrono::milliseconds Retry{10};
    // How long a process that just let the lock go stays away from it, so that those already
    // waiting get their turn instead of starving behind a few busy ones.
    std::chrono::milliseconds HeadStart{50};
};

// What this process has seen of other holders' locks, timed by its own steady clock. No other
// clock is read: machines that share a folder may be hours apart.
class LockWatch {
  public:
    // True once the same lock (the same holder's text in the same file) has stood through the
    // stale age of this process's own sightings, over any number of waits.
    bool IsStale(const std::filesystem::path& lockFile, const FileStart& seen,
                 std::chrono::milliseconds staleAfter);
    void Forget();

    // Called by the holder as it lets the lock go; the next Acquire through this watch then
    // leaves the lock to the waiters for the head start.
    void NoteRelease();
    void WaitForTurn(std::chrono::milliseconds headStart) const;

  private:
    std::filesystem::path file_;
    FileStart seen_;
    std::chrono::steady_clock::time_point since_;
    std::optional<std::chrono::steady_clock::time_point> released_;
};

// An exclusive hold shared by every process that can reach the folder, also across machines:
// a lock folder, made only when absent, with a file inside that names its holder. Released
// when destroyed.
class FileLock {
  public:
    // Waits within the patience; empty when the lock could not be had or the folder is not
    // writable.
    static std::optional<FileLock> Acquire(const std::filesystem::path& lockFile, LockWatch& watch,
                                           const LockTiming& timing = {});

    // False once another process judged this holder dead and took the lock over: whatever it
    // guards must then be left alone.
    bool IsHeld() const;

    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();

  private:
    FileLock(std::filesystem::path file, std::vector<std::uint8_t> holder, LockWatch& watch,
             std::chrono::milliseconds retry);
    void Release();

    std::filesystem::path file_;  // empty once released or moved from
    std::vector<std::uint8_t> holder_;
    LockWatch* watch_ = nullptr;  // the acquirer's, which outlives the hold
    std::chrono::milliseconds retry_{};
};

}  // namespace zintu
