#include "FileLock.h"

#include <algorithm>
#include <string>
#include <system_error>
#include <thread>
#include <utility>

#include "UniqueName.h"

namespace zintu {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kLongestHolder = 256;
constexpr int kTries = 20;  // for a step that must not be abandoned half-way
constexpr int kRoundsPerLook = 10;

// The unique name of a sibling file doubles as a token that no other holder can have.
Bytes HolderText(const fs::path& lockFile) {
    const std::string text = "pid " + std::to_string(CurrentProcessId()) + ", token " +
                             UniqueSiblingPath(lockFile).filename().string() + "\n";
    return {text.begin(), text.end()};
}

// Waiters that started together would otherwise keep meeting at the same moments.
std::chrono::milliseconds Pause(std::chrono::milliseconds retry, const Bytes& holder, int round) {
    std::size_t spread = holder.size();
    for (const std::uint8_t byte : holder) {
        spread = spread * 31 + byte;
    }
    const auto base = std::max<std::int64_t>(retry.count(), 1);
    return retry + std::chrono::milliseconds((spread + 7919U * round) % base);
}

std::optional<FileStart> ReadLock(const fs::path& file, std::chrono::milliseconds retry) {
    for (int attempt = 0; attempt < kTries; ++attempt) {
        if (auto seen = ReadFileStart(file, kLongestHolder)) {
            return seen;
        }
        std::error_code error;
        if (!fs::exists(file, error) && !error) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(retry);
    }
    return std::nullopt;
}

void RemoveFile(const fs::path& file, std::chrono::milliseconds retry) {
    for (int attempt = 0; attempt < kTries; ++attempt) {
        std::error_code error;
        fs::remove(file, error);
        if (!IsTransientError(error)) {
            return;
        }
        std::this_thread::sleep_for(retry);
    }
}

// Removes the lock only if it still holds `expected`. Moving it aside first makes the check and
// the removal one step for the name; a lock that took the name just before the move goes back
// under it with its holder's text, so that its holder still finds it its own. Only where a
// third lock was made in between does that holder lose the name, and its check before writing
// tells it so.
void RemoveIfHeldBy(const fs::path& lockFile, const Bytes& expected,
                    std::chrono::milliseconds retry) {
    const fs::path aside = UniqueSiblingPath(lockFile);
    std::error_code error;
    fs::rename(lockFile, aside, error);
    // A share refuses to rename a file that another client is reading.
    for (int attempt = 1; IsTransientError(error) && attempt < kTries; ++attempt) {
        std::this_thread::sleep_for(retry);
        fs::rename(lockFile, aside, error);
    }
    if (error) {
        return;
    }
    const std::optional<FileStart> moved = ReadLock(aside, retry);
    if (moved && moved->Bytes != expected) {
        CreateNewFile(lockFile, moved->Bytes);
    }
    RemoveFile(aside, retry);
}

}  // namespace

bool LockWatch::IsStale(const fs::path& lockFile, const FileStart& seen,
                        std::chrono::milliseconds staleAfter) {
    const auto now = std::chrono::steady_clock::now();
    if (lockFile != file_ || seen.Bytes != seen_.Bytes || seen.Stamp != seen_.Stamp) {
        file_ = lockFile;
        seen_ = seen;
        since_ = now;
        return false;
    }
    return now - since_ >= staleAfter;
}

void LockWatch::Forget() {
    file_.clear();
}

std::optional<FileLock> FileLock::Acquire(const fs::path& lockFile, LockWatch& watch,
                                          const LockTiming& timing) {
    const Bytes holder = HolderText(lockFile);
    const auto deadline = std::chrono::steady_clock::now() + timing.Patience;
    for (int round = 0;; ++round) {
        const NewFileResult result = CreateNewFile(lockFile, holder);
        if (result == NewFileResult::Created) {
            watch.Forget();
            return FileLock(lockFile, holder, timing.Retry);
        }
        if (result == NewFileResult::Failed || std::chrono::steady_clock::now() >= deadline) {
            return std::nullopt;
        }
        // Looked at now and then only: each look keeps the file open, and a share will not let
        // its holder remove an open file.
        if (result == NewFileResult::AlreadyExists && round % kRoundsPerLook == 0) {
            const std::optional<FileStart> seen = ReadFileStart(lockFile, kLongestHolder);
            if (seen && watch.IsStale(lockFile, *seen, timing.StaleAfter)) {
                RemoveIfHeldBy(lockFile, seen->Bytes, timing.Retry);
            }
        }
        std::this_thread::sleep_for(Pause(timing.Retry, holder, round));
    }
}

bool FileLock::IsHeld() const {
    const std::optional<FileStart> seen = ReadLock(file_, retry_);
    return seen && seen->Bytes == holder_;
}

FileLock::FileLock(fs::path file, Bytes holder, std::chrono::milliseconds retry)
    : file_(std::move(file)), holder_(std::move(holder)), retry_(retry) {}

FileLock::FileLock(FileLock&& other) noexcept
    : file_(std::exchange(other.file_, {})),
      holder_(std::move(other.holder_)),
      retry_(other.retry_) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        Release();
        file_ = std::exchange(other.file_, {});
        holder_ = std::move(other.holder_);
        retry_ = other.retry_;
    }
    return *this;
}

FileLock::~FileLock() {
    Release();
}

// A holder that stalled past the stale age may have lost the file to another process; only
// its own file is removed.
void FileLock::Release() {
    if (!file_.empty() && IsHeld()) {
        RemoveIfHeldBy(file_, holder_, retry_);
    }
    file_.clear();
}

}  // namespace zintu
