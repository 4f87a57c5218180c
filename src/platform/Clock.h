#pragma once
// Date-times are day counts since 1899-12-30 00:00 local time; the fraction
// is the time of day. The clock gives the current moment and formats one with
// the system's short date and long time formats.
#include <string>

struct TDateTimeParts {
    int Year = 1899, Month = 12, Day = 30;
    int Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
};

double EncodeDateTime(const TDateTimeParts& parts);
TDateTimeParts DecodeDateTime(double moment);

class IClock {
public:
    virtual ~IClock() = default;
    virtual double Now() = 0;
    // Date and time of a moment as the user's settings show them.
    virtual std::string FormatDateTime(double moment) = 0;
    // The date alone, in the user's short date format.
    virtual std::string FormatDate(double moment) = 0;
};
