#include "FileLock.h"

#include <cstdint>
#include <ctime>
#include <fstream>
#include <iterator>
#include <span>
#include <system_error>
#include <thread>
#include <utility>

#include "Platform.h"
#include "UniqueName.h"

namespace zintu {
namespace {

namespace fs = std::filesystem;

// The unique name of a sibling file doubles as a token that no other holder can have.
std::string HolderText(const fs::path& lockFile) {
    return "pid " + std::to_string(CurrentProcessId()) + ", since " +
           std::to_string(std::time(nullptr)) + ", token " +
           UniqueSiblingPath(lockFile).filename().string() + "\n";
}

std::string ReadText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool IsStale(const fs::path& lockFile, std::chrono::milliseconds staleAfter) {
    std::error_code error;
    const auto written = fs::last_write_time(lockFile, error);
    return !error && fs::file_time_type::clock::now() - written > staleAfter;
}

// Moves the stale file aside first, so that of two processes taking it over at once only one
// removes it. The other may have moved a fresh lock aside instead: that one goes back,
// unless a newer lock already stands there.
void TakeOver(const fs::path& lockFile, std::chrono::milliseconds staleAfter) {
    const fs::path aside = UniqueSiblingPath(lockFile);
    std::error_code error;
    fs::rename(lockFile, aside, error);
    if (error) {
        return;
    }
    if (!IsStale(aside, staleAfter)) {
        fs::create_hard_link(aside, lockFile, error);
    }
    fs::remove(aside, error);
}

}  // namespace

std::optional<FileLock> FileLock::Acquire(const fs::path& lockFile, const LockTiming& timing) {
    const std::string holder = HolderText(lockFile);
    const std::span content(reinterpret_cast<const std::uint8_t*>(holder.data()), holder.size());
    const auto deadline = std::chrono::steady_clock::now() + timing.Patience;
    for (;;) {
        switch (CreateNewFile(lockFile, content)) {
            case NewFileResult::Created:
                return FileLock(lockFile, holder);
            case NewFileResult::Failed:
                return std::nullopt;
            case NewFileResult::AlreadyExists:
                break;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return std::nullopt;
        }
        if (IsStale(lockFile, timing.StaleAfter)) {
            TakeOver(lockFile, timing.StaleAfter);
        } else {
            std::this_thread::sleep_for(timing.Retry);
        }
    }
}

FileLock::FileLock(fs::path file, std::string holder)
    : file_(std::move(file)), holder_(std::move(holder)) {}

FileLock::FileLock(FileLock&& other) noexcept
    : file_(std::exchange(other.file_, {})), holder_(std::move(other.holder_)) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        Release();
        file_ = std::exchange(other.file_, {});
        holder_ = std::move(other.holder_);
    }
    return *this;
}

FileLock::~FileLock() {
    Release();
}

// A holder that stalled past the stale age may have lost the file to another process; only
// its own file is removed.
void FileLock::Release() {
    if (!file_.empty() && ReadText(file_) == holder_) {
        std::error_code ignored;
        fs::remove(file_, ignored);
    }
    file_.clear();
}

}  // namespace zintu
