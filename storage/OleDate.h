#pragma once

#include "engine/ScoreTable.h"

namespace zintu {

struct CivilDate {
    int Year = 1899;
    int Month = 12;
    int Day = 30;
};

double OleDateFromCivil(const CivilDate& date);
CivilDate CivilFromOleDate(double oleDate);
double OleTimeOfDay(int hour, int minute, int second);

// The local date and time of day now.
OleDateTime OleNow();

}  // namespace zintu
