#include "storage/Platform.h"

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

using ErrorCode = DWORD;

bool IsTransientCode(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

NewFileResult Failure() {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) {
        return NewFileResult::AlreadyExists;
    }
    return IsTransientCode(error) ? NewFileResult::Busy : NewFileResult::Failed;
}

bool WriteAll(const Handle& file, std::span<const std::uint8_t> bytes) {
    DWORD written = 0;
    return WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) &&
           written == bytes.size();
}

NewFileResult WriteNew(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                       Durability durability, bool& created) {
    const Handle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen()) {
        return Failure();
    }
    created = true;
    const bool flushed = durability == Durability::Unflushed || FlushFileBuffers(file.Get());
    return WriteAll(file, bytes) && flushed ? NewFileResult::Created : Failure();
}

FileStamp StampOf(const FILETIME& time) {
    return FileStamp(
        static_cast<std::int64_t>(std::uint64_t{time.dwHighDateTime} << 32 | time.dwLowDateTime));
}

bool IsMissingCode(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// Shared for every access, so that other installations are never shut out while it is open.
Handle OpenRegular(const std::filesystem::path& path, DWORD access, bool& missing) {
    Handle file(CreateFileW(path.c_str(), access,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    missing = !file.IsOpen() && IsMissingCode(GetLastError());
    if (file.IsOpen() && GetFileType(file.Get()) != FILE_TYPE_DISK) {
        return Handle(INVALID_HANDLE_VALUE);
    }
    return file;
}

std::optional<FileStart> ReadOpen(const Handle& file, std::size_t limit) {
    FILETIME written{};
    if (!GetFileTime(file.Get(), nullptr, nullptr, &written)) {
        return std::nullopt;
    }
    FileStart start;
    start.Stamp = StampOf(written);
    start.Bytes.resize(limit);
    DWORD read = 0;
    if (!ReadFile(file.Get(), start.Bytes.data(), static_cast<DWORD>(limit), &read, nullptr)) {
        return std::nullopt;
    }
    start.Bytes.resize(read);
    return start;
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

using ErrorCode = int;

bool IsTransientCode(int error) {
    return error == EIO || error == EBUSY || error == EAGAIN || error == EINTR;
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

bool WriteAll(const Descriptor& file, std::span<const std::uint8_t> bytes) {
    off_t offset = 0;
    while (!bytes.empty()) {
        const ssize_t written = ::pwrite(file.Get(), bytes.data(), bytes.size(), offset);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(written));
        offset += written;
    }
    return true;
}

NewFileResult WriteNew(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                       Durability durability, bool& created) {
    const Descriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!file.IsOpen()) {
        return Failure(path);
    }
    created = true;
    if (WriteAll(file, bytes) &&
        (durability == Durability::Unflushed || ::fsync(file.Get()) == 0)) {
        return NewFileResult::Created;
    }
    return IsTransientCode(errno) ? NewFileResult::Busy : NewFileResult::Failed;
}

FileStamp StampOf(const struct stat& status) {
    return FileStamp(std::int64_t{status.st_mtim.tv_sec} * 10'000'000 +
                     status.st_mtim.tv_nsec / 100);
}

bool IsMissingCode(int error) {
    return error == ENOENT || error == ENOTDIR;
}

// Non-blocking, so that a FIFO opens at once, and then refused for not being a regular file.
Descriptor OpenRegular(const std::filesystem::path& path, int access, struct stat& status,
                       bool& missing) {
    Descriptor file(::open(path.c_str(), access | O_NONBLOCK | O_CLOEXEC));
    missing = !file.IsOpen() && IsMissingCode(errno);
    if (file.IsOpen() && (::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode))) {
        return Descriptor(-1);
    }
    return file;
}

std::optional<FileStart> ReadOpen(const Descriptor& file, const struct stat& status,
                                  std::size_t limit) {
    FileStart start;
    start.Stamp = StampOf(status);
    start.Bytes.resize(limit);
    std::size_t filled = 0;
    while (filled < limit) {
        const ssize_t read = ::read(file.Get(), start.Bytes.data() + filled, limit - filled);
        if (read < 0 && errno == EINTR) {
            continue;
        }
        if (read < 0) {
            return std::nullopt;
        }
        if (read == 0) {
            break;
        }
        filled += static_cast<std::size_t>(read);
    }
    start.Bytes.resize(filled);
    return start;
}

#endif

}  // namespace

NewFileResult CreateNewFile(const std::filesystem::path& file, std::span<const std::uint8_t> bytes,
                            Durability durability) {
    bool created = false;
    const NewFileResult result = WriteNew(file, bytes, durability, created);
    if (created && result != NewFileResult::Created) {
        std::error_code ignored;
        std::filesystem::remove(file, ignored);
    }
    return result;
}

std::optional<FileStart> ReadFileStart(const std::filesystem::path& file, std::size_t limit) {
    bool missing = false;
#ifdef _WIN32
    const Handle open = OpenRegular(file, GENERIC_READ, missing);
    return open.IsOpen() ? ReadOpen(open, limit) : std::nullopt;
#else
    struct stat status {};
    const Descriptor open = OpenRegular(file, O_RDONLY, status, missing);
    return open.IsOpen() ? ReadOpen(open, status, limit) : std::nullopt;
#endif
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

// Opened without a look first: the open itself tells a missing file.
OverwriteResult OverwriteFileStart(const std::filesystem::path& file,
                                   std::span<const std::uint8_t> bytes,
                                   const std::function<bool()>& mayWrite) {
    bool missing = false;
#ifdef _WIN32
    const Handle open = OpenRegular(file, GENERIC_WRITE, missing);
#else
    struct stat status {};
    const Descriptor open = OpenRegular(file, O_WRONLY, status, missing);
#endif
    if (!open.IsOpen()) {
        return missing ? OverwriteResult::Missing : OverwriteResult::Failed;
    }
    return mayWrite() && WriteAll(open, bytes) ? OverwriteResult::Written : OverwriteResult::Failed;
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
