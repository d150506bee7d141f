#pragma once

#include <cstdint>
#include <string_view>

namespace zintu {

// The slide step in twips from the program's whole argument string: a number from 10 to
// 20 (fractions round half to even); anything else gives 10.
std::int16_t MoveStepFromArguments(std::string_view arguments);

}  // namespace zintu
