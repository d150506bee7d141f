#pragma once

namespace zintu {

// OLE Automation dates: days since 1899-12-30 00:00 local time, time of day as the fraction.
struct OleDateTime {
    double Date = 0.0;  // whole days
    double Time = 0.0;  // fraction of a day, to the second
};

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
