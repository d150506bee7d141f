#pragma once

#include <QString>
#include <cstdint>

namespace zintu {

// Points as "### ### ##0": at least one digit, groups of three digits from the right
// separated by one blank, a minus sign in front of the digits.
QString FormatPoints(std::int32_t points);

// The day of an OLE Automation date as "dd.mm.yyyy".
QString FormatScoreDate(double oleDate);

}  // namespace zintu
