// The calendar: day numbers and dates both ways, the weekday, and the edges of the range.
#include "platform/calendar.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace qn {
namespace {

struct TDayCase
{
    std::int64_t Days;
    std::int64_t Year;
    unsigned Month, Day;
    int DayOfWeek;
};

// Leap days of a century that is one and one that is not, both sides of the epoch, and the ends.
constexpr TDayCase DayCases[] = {
    {0, 1899, 12, 30, 6},  {-1, 1899, 12, 29, 5},          {1, 1899, 12, 31, 0},    {2, 1900, 1, 1, 1},
    {61, 1900, 3, 1, 4},   {UnixEpochDays, 1970, 1, 1, 4}, {36585, 2000, 2, 29, 2}, {36586, 2000, 3, 1, 3},
    {-693593, 1, 1, 1, 1}, {2958465, 9999, 12, 31, 5},     {-36522, 1800, 1, 1, 3},
};

TEST(Calendar, DayNumbersAndDatesAgreeBothWaysWithTheirWeekday)
{
    for (const TDayCase& c : DayCases) {
        EXPECT_EQ(c.Days, DaysFromDate(c.Year, c.Month, c.Day)) << c.Year << "-" << c.Month << "-" << c.Day;
        std::int64_t y = 0;
        unsigned m = 0, d = 0;
        DateFromDays(c.Days, y, m, d);
        EXPECT_EQ(c.Year, y) << c.Days;
        EXPECT_EQ(c.Month, m) << c.Days;
        EXPECT_EQ(c.Day, d) << c.Days;
        TDateTimeFields t;
        ASSERT_TRUE(DecodeDateTime(static_cast<double>(c.Days), t)) << c.Days;
        EXPECT_EQ(c.DayOfWeek, t.DayOfWeek) << c.Days;
    }
}

TEST(Calendar, FebruaryHasTwentyNineDaysInTheGregorianLeapYearsOnly)
{
    EXPECT_EQ(DaysInMonth(2024, 2), 29u);
    EXPECT_EQ(DaysInMonth(2000, 2), 29u);
    EXPECT_EQ(DaysInMonth(1900, 2), 28u) << "a century that is not a fourth one";
    EXPECT_EQ(DaysInMonth(2023, 2), 28u);
    EXPECT_EQ(DaysInMonth(2023, 4), 30u);
    EXPECT_EQ(DaysInMonth(2023, 12), 31u);
}

TEST(Calendar, TheTimeOfDayOfANegativeValueIsItsAbsoluteFractionAndCarriesAwayFromTheEpoch)
{
    struct TCase
    {
        double Value;
        int Year, Month, Day, Hour, Minute, Second, MSec;
    };
    const TCase cases[] = {
        {1.25, 1899, 12, 31, 6, 0, 0, 0},
        {-1.25, 1899, 12, 29, 6, 0, 0, 0},
        {-0.5, 1899, 12, 30, 12, 0, 0, 0},
        {0.9999999999, 1899, 12, 31, 0, 0, 0, 0},  // rounds to the next day
        {-1.9999999999, 1899, 12, 28, 0, 0, 0, 0}, // ... which for a negative value is the earlier one
        {2.0 + 1.5 / 86400, 1900, 1, 1, 0, 0, 1, 500},
    };
    for (const TCase& c : cases) {
        TDateTimeFields t;
        ASSERT_TRUE(DecodeDateTime(c.Value, t)) << c.Value;
        EXPECT_EQ(c.Year, t.Year) << c.Value;
        EXPECT_EQ(c.Month, t.Month) << c.Value;
        EXPECT_EQ(c.Day, t.Day) << c.Value;
        EXPECT_EQ(c.Hour, t.Hour) << c.Value;
        EXPECT_EQ(c.Minute, t.Minute) << c.Value;
        EXPECT_EQ(c.Second, t.Second) << c.Value;
        EXPECT_EQ(c.MSec, t.MSec) << c.Value;
    }
}

TEST(Calendar, ValuesOutsideTheFourDigitYearsOrNotFiniteHaveNoDate)
{
    TDateTimeFields t;
    for (const double value : {MinDateTime - 1, EndDateTime, std::nan(""), std::numeric_limits<double>::infinity(),
                               -std::numeric_limits<double>::infinity()})
        EXPECT_FALSE(DecodeDateTime(value, t)) << value;
    EXPECT_TRUE(DecodeDateTime(MinDateTime, t));
    EXPECT_TRUE(DecodeDateTime(EndDateTime - 0.5, t));
}

} // namespace
} // namespace qn
