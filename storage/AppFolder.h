#pragma once

#include <filesystem>

namespace zintu {

// Where the local score file lives: beside the executable when the program may write there,
// as the first version always assumed, otherwise in the user's data folder (created if needed).
std::filesystem::path ChooseAppFolder(const std::filesystem::path& executableDir,
                                      const std::filesystem::path& userDataDir);

}  // namespace zintu
