#pragma once

#include <filesystem>

namespace zintu {

// A name for a short-lived file beside `target`, unlikely to meet any other file's name
// even when several programs share the folder.
std::filesystem::path UniqueSiblingPath(const std::filesystem::path& target);

}  // namespace zintu
