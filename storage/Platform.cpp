#include "Platform.h"

#include <system_error>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <fcntl.h>
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
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }

  private:
    HANDLE handle_;
};

NewFileResult OpenFailure() {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS
               ? NewFileResult::AlreadyExists
               : NewFileResult::Failed;
}

bool WriteAndFlush(const Handle& file, std::span<const std::uint8_t> bytes) {
    DWORD written = 0;
    return WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) &&
           written == bytes.size() && FlushFileBuffers(file.Get());
}

bool WriteNew(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
              NewFileResult& result) {
    const Handle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen()) {
        result = OpenFailure();
        return false;
    }
    result = NewFileResult::Created;
    return WriteAndFlush(file, bytes);
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
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    bool IsOpen() const { return fd_ >= 0; }
    int Get() const { return fd_; }

  private:
    int fd_;
};

bool WriteAndFlush(const Descriptor& file, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(file.Get(), bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return ::fsync(file.Get()) == 0;
}

bool WriteNew(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
              NewFileResult& result) {
    const Descriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!file.IsOpen()) {
        result = errno == EEXIST ? NewFileResult::AlreadyExists : NewFileResult::Failed;
        return false;
    }
    result = NewFileResult::Created;
    return WriteAndFlush(file, bytes);
}

#endif

}  // namespace

NewFileResult CreateNewFile(const std::filesystem::path& file,
                            std::span<const std::uint8_t> bytes) {
    NewFileResult result = NewFileResult::Failed;
    if (!WriteNew(file, bytes, result) && result == NewFileResult::Created) {
        std::error_code ignored;
        std::filesystem::remove(file, ignored);
        result = NewFileResult::Failed;
    }
    return result;
}

std::uint64_t CurrentProcessId() {
#ifdef _WIN32
    return GetCurrentProcessId();
#else
    return static_cast<std::uint64_t>(::getpid());
#endif
}

}  // namespace zintu
