#include "storage/FileLock.h"

#include <algorithm>
#include <future>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <utility>

#include "storage/UniqueName.h"

namespace zintu {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kLongestHolder = 256;
constexpr int kTries = 20;  // for a step that must not be abandoned half-way
constexpr int kRetriesPerLook = 50;
constexpr std::string_view kHolderName = "holder";

// The unique name of a sibling file doubles as a token that no other holder can have.
Bytes HolderText(const fs::path& lockFile) {
    const std::string text = "pid " + std::to_string(CurrentProcessId()) + ", token " +
                             UniqueSiblingPath(lockFile).filename().string() + "\n";
    return {text.begin(), text.end()};
}

// Waiters that started together would otherwise keep meeting at the same moments, and those
// that have waited longest try most often, so that none waits out its patience while others
// keep coming.
std::chrono::milliseconds Pause(const LockTiming& timing, const Bytes& holder, int round,
                                std::chrono::steady_clock::duration waited) {
    std::size_t spread = holder.size();
    for (const std::uint8_t byte : holder) {
        spread = spread * 31 + byte;
    }
    const std::int64_t base = std::max<std::int64_t>(timing.Retry.count(), 1);
    const std::int64_t slower = waited < timing.Patience / 4   ? 4
                                : waited < timing.Patience / 2 ? 2
                                                               : 1;
    return std::chrono::milliseconds(slower * (base + (spread + 7919U * round) % base));
}

// Runs `step` again, `pause` apart and `tries` times at most, while `again` finds its result
// worth another try: a share refuses some calls for a moment, for instance to rename a file
// that another client is reading.
template <typename Step, typename Again>
auto Retried(std::chrono::milliseconds pause, int tries, Step step, Again again) {
    auto result = step();
    for (int attempt = 1; attempt < tries && again(result); ++attempt) {
        std::this_thread::sleep_for(pause);
        result = step();
    }
    return result;
}

// sshfs hides a file that a reader has open instead of removing it, until the reader is done;
// Samba refuses to move a folder while another client reads a file in it.
template <typename Call>
std::error_code RetriedCall(std::chrono::milliseconds pause, Call call, int tries = kTries) {
    const auto step = [&] {
        std::error_code error;
        call(error);
        return error;
    };
    return Retried(pause, tries, step, [](const std::error_code& error) {
        return IsTransientError(error) || error == std::errc::directory_not_empty ||
               error == std::errc::permission_denied;
    });
}

struct LockLook {
    std::optional<FileStart> Seen;
    std::error_code Error;
};

// The holder's text in the lock folder; an empty text, told apart by the folder's own time,
// while the folder is being made or when its maker died before writing it. Only the holder's file
// is opened: a share will not let the holder move a folder that another client has open.
std::optional<FileStart> ReadLock(const fs::path& lock, std::chrono::milliseconds retry) {
    const auto look = [&] {
        if (auto seen = ReadFileStart(lock / kHolderName, kLongestHolder)) {
            return LockLook{std::move(seen), {}};
        }
        std::error_code error;
        const std::optional<FileStamp> made = ModificationTime(lock);
        if (made && !fs::exists(lock / kHolderName, error) && !error) {
            return LockLook{FileStart{{}, *made}, {}};
        }
        return LockLook{std::nullopt, error};
    };
    return Retried(retry, kTries, look,
                   [](const LockLook& seen) { return !seen.Seen && IsTransientError(seen.Error); })
        .Seen;
}

void RemoveLock(const fs::path& lock, std::chrono::milliseconds retry) {
    RetriedCall(retry, [&](std::error_code& error) { fs::remove(lock / kHolderName, error); });
    RetriedCall(retry, [&](std::error_code& error) { RemoveEmptyFolder(lock, error); });
}

// Making a folder is exclusive on every kind of share, where an exclusive file create is not
// (smbnetfs lets two clients make one file).
NewFileResult MakeLockFolder(const fs::path& lock) {
    std::error_code error;
    if (fs::create_directory(lock, error)) {
        return NewFileResult::Created;
    }
    // An SFTP server refuses to make a folder that exists with a plain failure. A folder that
    // was there a moment ago, when its holder has just removed it, is worth another try.
    std::error_code ignored;
    if (!error || error == std::errc::file_exists || fs::exists(lock, ignored)) {
        return NewFileResult::AlreadyExists;
    }
    return IsTransientError(error) ? NewFileResult::Busy : NewFileResult::Failed;
}

// Names the holder inside a lock folder that it has just made. Not flushed: the text matters
// only while the share is up.
bool NameHolder(const fs::path& lock, const Bytes& holder, std::chrono::milliseconds retry) {
    const auto create = [&] {
        return CreateNewFile(lock / kHolderName, holder, Durability::Unflushed);
    };
    const auto busy = [](NewFileResult result) { return result == NewFileResult::Busy; };
    return Retried(retry, kTries, create, busy) == NewFileResult::Created;
}

// Puts a lock that was moved aside back under its name, with its holder's text if it had one.
void Restore(const fs::path& lock, const FileStart& moved, std::chrono::milliseconds retry) {
    if (MakeLockFolder(lock) == NewFileResult::Created && !moved.Bytes.empty() &&
        !NameHolder(lock, moved.Bytes, retry)) {
        RemoveLock(lock, retry);
    }
}

// Removes the lock only if it is still the one expected: the holder's text, and where a stamp
// is given the stamp too, since a lock whose maker has not named it yet reads like any other
// unnamed one. Moving it aside first makes the check and the removal one step for the name; a
// lock that took the name just before the move goes back under it, so that its holder still
// finds it its own. Only where a third lock was made in between does that holder lose the name.
void RemoveIfStill(const fs::path& lock, const Bytes& holder, std::optional<FileStamp> stamp,
                   std::chrono::milliseconds retry) {
    const fs::path aside = UniqueSiblingPath(lock);
    // Given up, the lock would stand until judged stale and block every installation meanwhile.
    if (RetriedCall(
            retry, [&](std::error_code& error) { fs::rename(lock, aside, error); }, kTries * 10)) {
        return;
    }
    const std::optional<FileStart> moved = ReadLock(aside, retry);
    if (moved && (moved->Bytes != holder || (stamp && moved->Stamp != *stamp))) {
        Restore(lock, *moved, retry);
    }
    RemoveLock(aside, retry);
}

}  // namespace

ServerClock::ServerClock(const fs::path& lockFile, std::chrono::milliseconds retry) {
    const fs::path probe = UniqueSiblingPath(lockFile);
    if (CreateNewFile(probe, {}, Durability::Unflushed) != NewFileResult::Created) {
        return;
    }
    stamp_ = ModificationTime(probe);
    // Taken after the stamp came back, so that the server's time is never overestimated.
    readAt_ = std::chrono::steady_clock::now();
    // A share may refuse for a while to delete a file that its client has only just closed.
    RetriedCall(
        retry, [&](std::error_code& error) { fs::remove(probe, error); }, kTries * 10);
}

std::optional<std::chrono::nanoseconds> ServerClock::AgeOf(FileStamp stamp) const {
    if (!stamp_) {
        return std::nullopt;
    }
    return std::chrono::steady_clock::now() - readAt_ + (*stamp_ - stamp);
}

bool LockWatch::IsStale(const fs::path& lockFile, const FileStart& seen,
                        std::optional<std::chrono::nanoseconds> serverAge,
                        std::chrono::milliseconds staleAfter) {
    const auto now = std::chrono::steady_clock::now();
    const bool old = serverAge && *serverAge >= staleAfter;
    if (lockFile != file_ || seen.Bytes != seen_.Bytes || seen.Stamp != seen_.Stamp) {
        file_ = lockFile;
        seen_ = seen;
        since_ = now;
        return old;
    }
    return old || now - since_ >= staleAfter;
}

void LockWatch::Forget() {
    file_.clear();
}

void LockWatch::NoteRelease() {
    released_ = std::chrono::steady_clock::now();
}

void LockWatch::WaitForTurn(std::chrono::milliseconds headStart) const {
    if (released_) {
        std::this_thread::sleep_until(*released_ + headStart);
    }
}

namespace {

// Looks at a lock held by another now and then only: each look keeps the file open, and a share
// will not let its holder remove an open file.
class LockLooks {
  public:
    LockLooks(const fs::path& lockFile, const LockTiming& timing)
        : lockFile_(lockFile), timing_(timing) {}

    // Whether it was time for a look and the lock was dead, and now is moved aside.
    bool TookOverDead(LockWatch& watch) {
        const auto now = std::chrono::steady_clock::now();
        if (now < nextLook_) {
            return false;
        }
        nextLook_ = now + std::min<std::chrono::milliseconds>(timing_.Retry * kRetriesPerLook,
                                                              timing_.StaleAfter / 4);
        if (!serverClock_) {
            serverClock_.emplace(lockFile_, timing_.Retry);
        }
        const std::optional<FileStart> seen = ReadLock(lockFile_, timing_.Retry);
        if (!seen || !watch.IsStale(lockFile_, *seen, serverClock_->AgeOf(seen->Stamp),
                                    timing_.StaleAfter)) {
            return false;
        }
        RemoveIfStill(lockFile_, seen->Bytes, seen->Stamp, timing_.Retry);
        return true;
    }

  private:
    const fs::path& lockFile_;
    const LockTiming& timing_;
    std::chrono::steady_clock::time_point nextLook_{};
    std::optional<ServerClock> serverClock_;  // read at the first look only
};

}  // namespace

std::optional<FileLock> FileLock::Acquire(const fs::path& lockFile, LockWatch& watch,
                                          const LockTiming& timing) {
    const Bytes holder = HolderText(lockFile);
    const auto start = std::chrono::steady_clock::now();
    const auto deadline = start + timing.Patience;
    LockLooks looks(lockFile, timing);
    // Others may have judged the same dead lock and be moving aside whatever stands under its
    // name: a lock had after a takeover is never sure.
    bool tookOver = false;
    // Within the patience, so that nobody waits longer than it.
    watch.WaitForTurn(std::min(timing.HeadStart, timing.Patience));
    for (int round = 0;; ++round) {
        const HoldStart attempt{std::chrono::steady_clock::now(), std::chrono::system_clock::now()};
        const NewFileResult result = MakeLockFolder(lockFile);
        if (result == NewFileResult::Created) {
            watch.Forget();
            // The folder alone keeps the others out, and they time a folder without a holder's
            // name by its own stamp: the name is written while the holder goes on.
            std::future<bool> naming =
                std::async(std::launch::async, NameHolder, lockFile, holder, timing.Retry);
            return FileLock(lockFile, holder, std::move(naming), watch, timing.Retry, attempt,
                            tookOver ? std::chrono::milliseconds(0) : timing.StaleAfter / 2);
        }
        if (result == NewFileResult::Failed || std::chrono::steady_clock::now() >= deadline) {
            return std::nullopt;
        }
        if (result == NewFileResult::AlreadyExists && looks.TookOverDead(watch)) {
            tookOver = true;
            continue;  // the lock is free now: no pause before taking it
        }
        std::this_thread::sleep_for(
            Pause(timing, holder, round, std::chrono::steady_clock::now() - start));
    }
}

bool FileLock::IsHeld() {
    if (IsSurelyHeld()) {
        return true;
    }
    WaitForName();
    const std::optional<FileStart> seen = ReadLock(file_, retry_);
    return seen && seen->Bytes == holder_;
}

// A suspended machine's steady clock stands still while its wall clock goes on; a wall clock
// set back counts as no certainty either.
bool FileLock::IsSurelyHeld() const {
    const auto steady = std::chrono::steady_clock::now() - made_.Steady;
    const auto wall = std::chrono::system_clock::now() - made_.Wall;
    return steady < sureFor_ && wall >= wall.zero() && wall < sureFor_;
}

void FileLock::WaitForName() {
    if (naming_.valid()) {
        naming_.get();
    }
}

FileLock::FileLock(fs::path file, Bytes holder, std::future<bool> naming, LockWatch& watch,
                   std::chrono::milliseconds retry, HoldStart made,
                   std::chrono::milliseconds sureFor)
    : file_(std::move(file)),
      holder_(std::move(holder)),
      naming_(std::move(naming)),
      watch_(&watch),
      retry_(retry),
      made_(made),
      sureFor_(sureFor) {}

FileLock::FileLock(FileLock&& other) noexcept
    : file_(std::exchange(other.file_, {})),
      holder_(std::move(other.holder_)),
      naming_(std::move(other.naming_)),
      watch_(other.watch_),
      retry_(other.retry_),
      made_(other.made_),
      sureFor_(other.sureFor_) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        Release();
        file_ = std::exchange(other.file_, {});
        holder_ = std::move(other.holder_);
        naming_ = std::move(other.naming_);
        watch_ = other.watch_;
        retry_ = other.retry_;
        made_ = other.made_;
        sureFor_ = other.sureFor_;
    }
    return *this;
}

FileLock::~FileLock() {
    Release();
}

// A holder that stalled may have lost the lock to another process; only its own is removed.
void FileLock::Release() {
    if (file_.empty()) {
        return;
    }
    WaitForName();
    // Moving another holder's lock aside, even to put it back, could cost it the name.
    if (IsSurelyHeld()) {
        RemoveLock(file_, retry_);
    } else if (IsHeld()) {
        RemoveIfStill(file_, holder_, std::nullopt, retry_);
    }
    watch_->NoteRelease();
    file_.clear();
}

}  // namespace zintu
