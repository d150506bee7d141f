#include "storage/WholeFile.h"

#include <system_error>

#include "storage/Platform.h"
#include "storage/UniqueName.h"

namespace zintu {
namespace {

namespace fs = std::filesystem;

// Checked through the permission bits because a privileged user could open the file anyway.
bool IsReadOnly(const fs::file_status& status) {
    return fs::exists(status) && (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

}  // namespace

bool WriteWholeFile(const fs::path& file, std::span<const std::uint8_t> bytes,
                    const CallFaults& faults) {
    std::error_code error;
    const fs::file_status existing = fs::status(file, error);
    if (IsReadOnly(existing)) {
        return false;
    }
    RemoveLeftoverSiblings(file);
    const fs::path temporary = UniqueSiblingPath(file);
    if (CreateNewFile(temporary, bytes, Durability::Flushed, faults) != NewFileResult::Created) {
        return false;
    }
    if (fs::exists(existing)) {
        fs::permissions(temporary, existing.permissions(), error);
    }
    fs::rename(temporary, file, error);
    if (error) {
        fs::remove(temporary, error);
        return false;
    }
    return true;
}

}  // namespace zintu
