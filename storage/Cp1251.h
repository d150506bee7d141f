#pragma once

#include <string>
#include <string_view>

namespace zintu {

// Windows-1251, the code page of names in score files and of older settings files.
// A character the code page cannot hold is stored as '?'; the one unassigned byte, 0x98,
// reads as U+FFFD.
std::string EncodeCp1251(std::u32string_view text);
std::u32string DecodeCp1251(std::string_view bytes);

}  // namespace zintu
