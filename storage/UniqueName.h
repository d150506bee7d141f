#pragma once

#include <filesystem>

namespace zintu {

// A name for a short-lived file beside `target`, unlikely to meet any other file's name
// even when several programs share the folder.
std::filesystem::path UniqueSiblingPath(const std::filesystem::path& target);

// Removes the short-lived files that writes killed half-way left in `target`'s folder: every
// one meant for `target`, and those for other files once they are old enough not to belong to
// a write still running.
void RemoveLeftoverSiblings(const std::filesystem::path& target);

}  // namespace zintu
