#pragma once

#include <filesystem>

namespace zintu {

// Where the local score file lives. A copy installed into a system layout keeps it in the
// user's data folder (created if needed), as the program folder there is shared and not the
// player's; a portable copy keeps it beside the executable, as the first version always did.
// The layout is told by `installedMarker`, a file that only installing puts there, given
// relative to the executable's folder (empty where no installed layout exists), so the
// choice stays the same from one start to the next.
std::filesystem::path ChooseAppFolder(const std::filesystem::path& executableDir,
                                      const std::filesystem::path& installedMarker,
                                      const std::filesystem::path& userDataDir);

}  // namespace zintu
