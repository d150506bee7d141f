#pragma once

#include <filesystem>
#include <string_view>

#include "storage/Platform.h"

namespace zintu {

// Which separator ends the shared folder's name. Windows style also accepts "/" as an end.
enum class PathStyle { Windows, Posix, Native };

// The shared score folder named by the first line of the settings file "Zintu.ini", with a
// separator at its end; empty when the line names nothing. The line may be UTF-8 (with or
// without a byte-order mark) or, when its bytes are not valid UTF-8, Windows-1251.
std::filesystem::path SharedScoreDirFromSettings(std::string_view fileBytes,
                                                 PathStyle style = PathStyle::Native);

// A missing or unreadable settings file names no shared folder.
std::filesystem::path ReadSharedScoreDir(const std::filesystem::path& settingsFile,
                                         const CallFaults& faults = {});

}  // namespace zintu
