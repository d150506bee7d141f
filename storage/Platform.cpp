#include "storage/Platform.h"

#include <algorithm>
#include <utility>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace zintu {
namespace {

#ifdef _WIN32

class Handle {
  public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() {
        if (IsOpen()) {
            CloseHandle(handle_);
        }
    }
    Handle(Handle&& other) noexcept : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    Handle& operator=(Handle&&) = delete;
    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }

  private:
    HANDLE handle_;
};

using File = Handle;
using ErrorCode = DWORD;

bool IsTransientCode(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

DWORD LastErrorCode() {
    return GetLastError();
}

// Windows stops a file call early only when asked to cancel it, which nothing here does; an
// interruption that a test puts in the way arrives as that.
bool IsInterrupted() {
    return GetLastError() == ERROR_OPERATION_ABORTED;
}

void SetError(std::errc error) {
    SetLastError(error == std::errc::interrupted          ? ERROR_OPERATION_ABORTED
                 : error == std::errc::no_space_on_device ? ERROR_DISK_FULL
                                                          : ERROR_IO_DEVICE);
}

NewFileResult Failure(const std::filesystem::path&) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) {
        return NewFileResult::AlreadyExists;
    }
    return IsTransientCode(error) ? NewFileResult::Busy : NewFileResult::Failed;
}

Handle CreateExclusive(const std::filesystem::path& path) {
    return Handle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Calls at an offset leave the file pointer alone, like pread and pwrite.
OVERLAPPED At(std::uint64_t offset) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return at;
}

std::optional<std::size_t> WriteAt(const Handle& file, std::span<const std::uint8_t> bytes,
                                   std::uint64_t offset) {
    OVERLAPPED at = At(offset);
    DWORD written = 0;
    if (!WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, &at)) {
        return std::nullopt;
    }
    return written;
}

// A read at an offset past the end fails with ERROR_HANDLE_EOF instead of reading nothing.
std::optional<std::size_t> ReadAt(const Handle& file, std::span<std::uint8_t> into,
                                  std::uint64_t offset) {
    OVERLAPPED at = At(offset);
    DWORD read = 0;
    if (!ReadFile(file.Get(), into.data(), static_cast<DWORD>(into.size()), &read, &at)) {
        return GetLastError() == ERROR_HANDLE_EOF ? std::optional<std::size_t>(0) : std::nullopt;
    }
    return read;
}

bool FlushNow(const Handle& file) {
    return FlushFileBuffers(file.Get());
}

bool Truncate(const Handle& file, std::uint64_t size) {
    LARGE_INTEGER end{};
    end.QuadPart = static_cast<LONGLONG>(size);
    return SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN) && SetEndOfFile(file.Get());
}

FileStamp StampOf(const FILETIME& time) {
    return FileStamp(
        static_cast<std::int64_t>(std::uint64_t{time.dwHighDateTime} << 32 | time.dwLowDateTime));
}

bool IsMissingCode(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// Shared for every access, so that other installations are never shut out while it is open.
Handle OpenRegular(const std::filesystem::path& path, bool write, FileStamp& stamp, bool& missing) {
    const DWORD access = write ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ;
    Handle file(CreateFileW(path.c_str(), access,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    missing = !file.IsOpen() && IsMissingCode(GetLastError());
    FILETIME written{};
    if (file.IsOpen() && (GetFileType(file.Get()) != FILE_TYPE_DISK ||
                          !GetFileTime(file.Get(), nullptr, nullptr, &written))) {
        return Handle(INVALID_HANDLE_VALUE);
    }
    stamp = StampOf(written);
    return file;
}

#else

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (IsOpen()) {
            ::close(fd_);
        }
    }
    Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    Descriptor& operator=(Descriptor&&) = delete;
    bool IsOpen() const { return fd_ >= 0; }
    int Get() const { return fd_; }

  private:
    int fd_;
};

using File = Descriptor;
using ErrorCode = int;

bool IsTransientCode(int error) {
    return error == EIO || error == EBUSY || error == EAGAIN || error == EINTR;
}

int LastErrorCode() {
    return errno;
}

bool IsInterrupted() {
    return errno == EINTR;
}

// The enumerators of std::errc are the errno values.
void SetError(std::errc error) {
    errno = static_cast<int>(error);
}

// An SFTP server refuses an exclusive create of a name that is taken with a plain failure, which
// arrives as EPERM: the name counts as taken when a file stands there.
NewFileResult Failure(const std::filesystem::path& path) {
    const int error = errno;
    struct stat status {};
    if (error == EEXIST ||
        ((error == EPERM || error == EACCES) && ::stat(path.c_str(), &status) == 0)) {
        return NewFileResult::AlreadyExists;
    }
    return IsTransientCode(error) ? NewFileResult::Busy : NewFileResult::Failed;
}

Descriptor CreateExclusive(const std::filesystem::path& path) {
    return Descriptor(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
}

std::optional<std::size_t> WriteAt(const Descriptor& file, std::span<const std::uint8_t> bytes,
                                   std::uint64_t offset) {
    const ssize_t written =
        ::pwrite(file.Get(), bytes.data(), bytes.size(), static_cast<off_t>(offset));
    return written < 0 ? std::nullopt : std::optional(static_cast<std::size_t>(written));
}

std::optional<std::size_t> ReadAt(const Descriptor& file, std::span<std::uint8_t> into,
                                  std::uint64_t offset) {
    const ssize_t read = ::pread(file.Get(), into.data(), into.size(), static_cast<off_t>(offset));
    return read < 0 ? std::nullopt : std::optional(static_cast<std::size_t>(read));
}

bool FlushNow(const Descriptor& file) {
    return ::fsync(file.Get()) == 0;
}

bool Truncate(const Descriptor& file, std::uint64_t size) {
    return ::ftruncate(file.Get(), static_cast<off_t>(size)) == 0;
}

FileStamp StampOf(const struct stat& status) {
    return FileStamp(std::int64_t{status.st_mtim.tv_sec} * 10'000'000 +
                     status.st_mtim.tv_nsec / 100);
}

bool IsMissingCode(int error) {
    return error == ENOENT || error == ENOTDIR;
}

// Non-blocking, so that a FIFO opens at once, and then refused for not being a regular file.
Descriptor OpenRegular(const std::filesystem::path& path, bool write, FileStamp& stamp,
                       bool& missing) {
    Descriptor file(::open(path.c_str(), (write ? O_RDWR : O_RDONLY) | O_NONBLOCK | O_CLOEXEC));
    missing = !file.IsOpen() && IsMissingCode(errno);
    struct stat status {};
    if (file.IsOpen() && (::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode))) {
        return Descriptor(-1);
    }
    stamp = StampOf(status);
    return file;
}

#endif

// True, with the fault's error set as the system's, when a test's fault stands in the way of the
// call; otherwise `asked` may shrink to what the fault lets through.
bool Refused(const CallFaults& faults, CallKind kind, std::size_t& asked) {
    const CallFault fault = faults ? faults(kind) : CallFault{};
    asked = std::min(asked, fault.Limit);
    if (fault.Error != std::errc{}) {
        SetError(fault.Error);
    }
    return fault.Error != std::errc{};
}

// Systems and shares may move fewer bytes than asked, or be interrupted before moving any.
bool WriteAll(const File& file, std::span<const std::uint8_t> bytes, const CallFaults& faults) {
    std::uint64_t offset = 0;
    while (!bytes.empty()) {
        std::size_t asked = bytes.size();
        const std::optional<std::size_t> written = Refused(faults, CallKind::Write, asked)
                                                       ? std::nullopt
                                                       : WriteAt(file, bytes.first(asked), offset);
        if (!written && IsInterrupted()) {
            continue;
        }
        // A call that moves nothing would do the same again.
        if (!written || *written == 0) {
            return false;
        }
        bytes = bytes.subspan(*written);
        offset += *written;
    }
    return true;
}

// Fills `into` from the start of the file, or up to its end if that comes first.
std::optional<std::size_t> ReadAll(const File& file, std::span<std::uint8_t> into,
                                   const CallFaults& faults) {
    std::size_t filled = 0;
    while (filled < into.size()) {
        std::size_t asked = into.size() - filled;
        const std::optional<std::size_t> read =
            Refused(faults, CallKind::Read, asked)
                ? std::nullopt
                : ReadAt(file, into.subspan(filled, asked), filled);
        if (!read && IsInterrupted()) {
            continue;
        }
        if (!read) {
            return std::nullopt;
        }
        if (*read == 0) {
            break;
        }
        filled += *read;
    }
    return filled;
}

bool Flush(const File& file, const CallFaults& faults) {
    std::size_t none = 0;
    return !Refused(faults, CallKind::Flush, none) && FlushNow(file);
}

// Flushed after the write, so that a rename never puts a file in place whose bytes are not yet
// on the disk.
NewFileResult WriteNew(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                       Durability durability, const CallFaults& faults, bool& created) {
    const File file = CreateExclusive(path);
    if (!file.IsOpen()) {
        return Failure(path);
    }
    created = true;
    if (WriteAll(file, bytes, faults) &&
        (durability == Durability::Unflushed || Flush(file, faults))) {
        return NewFileResult::Created;
    }
    return IsTransientCode(LastErrorCode()) ? NewFileResult::Busy : NewFileResult::Failed;
}

}  // namespace

NewFileResult CreateNewFile(const std::filesystem::path& file, std::span<const std::uint8_t> bytes,
                            Durability durability, const CallFaults& faults) {
    bool created = false;
    const NewFileResult result = WriteNew(file, bytes, durability, faults, created);
    if (created && result != NewFileResult::Created) {
        std::error_code ignored;
        std::filesystem::remove(file, ignored);
    }
    return result;
}

std::optional<FileStart> ReadFileStart(const std::filesystem::path& file, std::size_t limit,
                                       const CallFaults& faults) {
    bool missing = false;
    FileStart start;
    const File open = OpenRegular(file, false, start.Stamp, missing);
    if (!open.IsOpen()) {
        return std::nullopt;
    }
    start.Bytes.resize(limit);
    const std::optional<std::size_t> filled = ReadAll(open, start.Bytes, faults);
    if (!filled) {
        return std::nullopt;
    }
    start.Bytes.resize(*filled);
    return start;
}

std::optional<FileStamp> ModificationTime(const std::filesystem::path& path) {
#ifdef _WIN32
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        return std::nullopt;
    }
    return StampOf(data.ftLastWriteTime);
#else
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return StampOf(status);
#endif
}

// Opened without a look first: the open itself tells a missing file. The old start is read
// first, since a write cut short would leave a table of entries half new and half old.
OverwriteResult OverwriteFileStart(const std::filesystem::path& file,
                                   std::span<const std::uint8_t> bytes,
                                   const std::function<bool()>& mayWrite,
                                   const CallFaults& faults) {
    bool missing = false;
    FileStamp stamp{};
    const File open = OpenRegular(file, true, stamp, missing);
    if (!open.IsOpen()) {
        return missing ? OverwriteResult::Missing : OverwriteResult::Failed;
    }
    std::vector<std::uint8_t> old(bytes.size());
    const std::optional<std::size_t> kept = ReadAll(open, old, faults);
    if (!kept || !mayWrite()) {
        return OverwriteResult::Failed;
    }
    if (WriteAll(open, bytes, faults)) {
        return OverwriteResult::Written;
    }
    // The old start and length back, as far as the file still takes them.
    WriteAll(open, std::span(old).first(*kept), faults);
    if (*kept < bytes.size()) {
        Truncate(open, *kept);
    }
    return OverwriteResult::Failed;
}

void RemoveEmptyFolder(const std::filesystem::path& folder, std::error_code& error) {
#ifdef _WIN32
    const bool removed = RemoveDirectoryW(folder.c_str());
    error = removed ? std::error_code()
                    : std::error_code(static_cast<int>(GetLastError()), std::system_category());
#else
    const bool removed = ::rmdir(folder.c_str()) == 0;
    error = removed ? std::error_code() : std::error_code(errno, std::generic_category());
#endif
}

bool IsTransientError(const std::error_code& error) {
    // The standard library reports some failures as errno values, others as system codes.
    const bool known =
        error.category() == std::system_category() || error.category() == std::generic_category();
    return known && IsTransientCode(static_cast<ErrorCode>(error.value()));
}

std::uint64_t CurrentProcessId() {
#ifdef _WIN32
    return GetCurrentProcessId();
#else
    return static_cast<std::uint64_t>(::getpid());
#endif
}

}  // namespace zintu
