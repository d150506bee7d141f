#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <future>
#include <optional>
#include <vector>

#include "storage/Platform.h"

namespace zintu {

struct LockTiming {
    // Longest wait for other holders. Nobody watches the wait, so it outlasts what sshfs keeps
    // of another client's lock (20 s) after that client removed it.
    std::chrono::milliseconds Patience{30000};
    std::chrono::milliseconds StaleAfter{5000};  // a hold this old belongs to a dead holder
    std::chrono::milliseconds Retry{10};
    // How long a process that just let the lock go stays away from it, so that those already
    // waiting get their turn instead of starving behind a few busy ones.
    std::chrono::milliseconds HeadStart{50};
};

// The file server's time, read from the stamp it gives a file written beside the lock and then
// carried on by this process's steady clock. Machines that share a folder may be hours apart;
// the stamps of one folder all come from its server.
class ServerClock {
  public:
    ServerClock(const std::filesystem::path& lockFile, std::chrono::milliseconds retry);
    // How long before now the server stamped `stamp`; empty when its time could not be had.
    std::optional<std::chrono::nanoseconds> AgeOf(FileStamp stamp) const;

  private:
    std::optional<FileStamp> stamp_;
    std::chrono::steady_clock::time_point readAt_;
};

// What this process has seen of other holders' locks.
class LockWatch {
  public:
    // True when the server's clock makes the lock older than the stale age, or once the same
    // lock (the same holder's text and stamp in the same file) has stood through the stale age
    // of this process's own sightings, over any number of waits: a stamp from the future, or a
    // server whose time could not be read, is not trusted.
    bool IsStale(const std::filesystem::path& lockFile, const FileStart& seen,
                 std::optional<std::chrono::nanoseconds> serverAge,
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
    // guards must then be left alone. Asks the share only once the hold is old enough for that.
    bool IsHeld();

    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();

  private:
    struct HoldStart {
        std::chrono::steady_clock::time_point Steady;
        std::chrono::system_clock::time_point Wall;
    };
    FileLock(std::filesystem::path file, std::vector<std::uint8_t> holder, std::future<bool> naming,
             LockWatch& watch, std::chrono::milliseconds retry, HoldStart made,
             std::chrono::milliseconds sureFor);
    bool IsSurelyHeld() const;
    void WaitForName();
    void Release();

    std::filesystem::path file_;  // empty once released or moved from
    std::vector<std::uint8_t> holder_;
    std::future<bool> naming_;    // writes the holder's name into the lock
    LockWatch* watch_ = nullptr;  // the acquirer's, which outlives the hold
    std::chrono::milliseconds retry_{};
    // Nobody can judge the lock dead before it has stood for the stale age on the server's
    // clock; the hold is sure for half of that, which leaves room for coarse stamps.
    HoldStart made_;
    std::chrono::milliseconds sureFor_{};
};

}  // namespace zintu
