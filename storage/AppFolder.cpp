#include "AppFolder.h"

#include <fstream>
#include <system_error>

#include "UniqueName.h"

namespace zintu {
namespace {

// Permission bits alone do not tell: read-only media, access lists and virtualised program
// folders all decide at the moment of writing.
bool CanWriteIn(const std::filesystem::path& folder) {
    const std::filesystem::path probe = UniqueSiblingPath(folder / "write-probe");
    std::ofstream out(probe, std::ios::binary);
    out << 'z';
    out.close();
    const bool written = !out.fail();
    std::error_code ignored;
    std::filesystem::remove(probe, ignored);
    return written;
}

}  // namespace

std::filesystem::path ChooseAppFolder(const std::filesystem::path& executableDir,
                                      const std::filesystem::path& userDataDir) {
    if (CanWriteIn(executableDir)) {
        return executableDir;
    }
    std::error_code ignored;
    std::filesystem::create_directories(userDataDir, ignored);
    return userDataDir;
}

}  // namespace zintu
