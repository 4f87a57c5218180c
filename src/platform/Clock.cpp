#include "platform/Clock.h"

#include <cmath>
#include <cstdint>

namespace {

// Days from 0001-01-01 to 1899-12-30 in the proleptic Gregorian calendar.
constexpr int64_t kEpochDays = 693593;

bool IsLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : days[m - 1];
}

int64_t DaysFromCivil(int y, int m, int d) {
    int64_t n = 0;
    const int64_t py = y - 1;
    n = py * 365 + py / 4 - py / 100 + py / 400;
    for (int k = 1; k < m; ++k) n += DaysInMonth(y, k);
    return n + d - 1;
}

} // namespace

double EncodeDateTime(const TDateTimeParts& p) {
    const double days = static_cast<double>(DaysFromCivil(p.Year, p.Month, p.Day) - kEpochDays);
    const double time = (p.Hour * 3600000.0 + p.Minute * 60000.0 + p.Second * 1000.0 + p.Millisecond) / 86400000.0;
    // Before the epoch the time of day still counts forward from midnight.
    return days >= 0 ? days + time : days - time;
}

TDateTimeParts DecodeDateTime(double moment) {
    TDateTimeParts p;
    const double whole = std::trunc(moment);
    int64_t ms = std::llround(std::fabs(moment - whole) * 86400000.0);
    int64_t days = static_cast<int64_t>(whole) + kEpochDays;
    if (ms >= 86400000) { // rounding reached the next midnight
        ms -= 86400000;
        days += moment >= 0 ? 1 : -1;
    }
    // 400-year cycles keep the year search short for any day count.
    int64_t y400 = days / 146097;
    int64_t rest = days % 146097;
    if (rest < 0) rest += 146097, --y400;
    int y = static_cast<int>(y400 * 400) + 1;
    while (rest >= (IsLeap(y) ? 366 : 365)) rest -= IsLeap(y) ? 366 : 365, ++y;
    int m = 1;
    while (rest >= DaysInMonth(y, m)) rest -= DaysInMonth(y, m), ++m;
    p.Year = y;
    p.Month = m;
    p.Day = static_cast<int>(rest) + 1;
    p.Hour = static_cast<int>(ms / 3600000);
    p.Minute = static_cast<int>(ms / 60000 % 60);
    p.Second = static_cast<int>(ms / 1000 % 60);
    p.Millisecond = static_cast<int>(ms % 1000);
    return p;
}
