#include "storage/AppFolder.h"

#include <system_error>

namespace zintu {

std::filesystem::path ChooseAppFolder(const std::filesystem::path& executableDir,
                                      const std::filesystem::path& installedMarker,
                                      const std::filesystem::path& userDataDir) {
    std::error_code error;
    if (installedMarker.empty() ||
        !std::filesystem::exists(executableDir / installedMarker, error)) {
        return executableDir;
    }
    std::filesystem::create_directories(userDataDir, error);
    return userDataDir;
}

}  // namespace zintu
