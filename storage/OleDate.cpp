#include "storage/OleDate.h"

#include <cmath>
#include <ctime>

namespace zintu {
namespace {

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
long long DaysFromCivil(int y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

CivilDate CivilFromDays(long long z) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
    return {year, month, day};
}

const long long kOleEpochDays = DaysFromCivil(1899, 12, 30);

}  // namespace

double OleDateFromCivil(const CivilDate& date) {
    return static_cast<double>(DaysFromCivil(date.Year, date.Month, date.Day) - kOleEpochDays);
}

CivilDate CivilFromOleDate(double oleDate) {
    if (!std::isfinite(oleDate) || std::fabs(oleDate) > 1e9) {
        return {};
    }
    return CivilFromDays(static_cast<long long>(std::floor(oleDate)) + kOleEpochDays);
}

double OleTimeOfDay(int hour, int minute, int second) {
    return (hour * 3600 + minute * 60 + second) / 86400.0;
}

OleDateTime OleNow() {
    const std::time_t now = std::time(nullptr);
    const std::tm local = *std::localtime(&now);  // one UI thread: no concurrent callers
    return {OleDateFromCivil({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday}),
            OleTimeOfDay(local.tm_hour, local.tm_min, local.tm_sec)};
}

}  // namespace zintu
