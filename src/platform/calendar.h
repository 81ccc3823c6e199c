// The program's one calendar: date-times as days since 1899-12-30 and the dates they stand for.
#pragma once

#include <cstdint>

namespace qn {

// A date-time is days since 1899-12-30 00:00 with the time of day as the fraction; the time of day
// of a negative value is its absolute fraction, as stored date-times have always counted it. Dates
// are proleptic Gregorian.

// Days since 1899-12-30 of the Unix epoch.
inline constexpr std::int64_t UnixEpochDays = 25569;
inline constexpr double UnixEpochAsDateTime = 25569.0;
// 0001-01-01 00:00, and 10000-01-01 00:00, the first value past the last representable day.
inline constexpr double MinDateTime = -693593.0;
inline constexpr double EndDateTime = 2958466.0;

// Days since 1899-12-30 of a date, for any fields in range (no check of the day of the month).
std::int64_t DaysFromDate(std::int64_t AYear, unsigned AMonth, unsigned ADay);
void DateFromDays(std::int64_t ADays, std::int64_t& AYear, unsigned& AMonth, unsigned& ADay);
// The days of AMonth (1 to 12) of AYear: February has 29 in the Gregorian leap years.
unsigned DaysInMonth(std::int64_t AYear, unsigned AMonth);

struct TDateTimeFields
{
    int Year = 0, Month = 0, Day = 0;
    int DayOfWeek = 0; // 0 = Sunday
    int Hour = 0, Minute = 0, Second = 0, MSec = 0;
};

// A finite date-time from 0001-01-01 to 9999-12-31 into fields, to the nearest millisecond; a time
// of day that rounds to a whole day carries into the next day away from 1899-12-30. False outside.
bool DecodeDateTime(double AValue, TDateTimeFields& AOut);

} // namespace qn
