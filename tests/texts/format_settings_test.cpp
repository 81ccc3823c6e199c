// Number and date-time texts with pinned formats.
#include "texts/format_settings.h"

#include "support/pinned_format.h"

#include <gtest/gtest.h>

#include <limits>

namespace qn {
namespace {

using test::TPinnedFormat;

struct TFloatCase
{
    const char* Format;
    double Value;
    const char* Expected;
};

TEST(FormatFloat, PictureFormatsWithCommaSeparator)
{
    TPinnedFormat pin(",");
    const TFloatCase cases[] = {
        {"###0.##", 0.0, "0"},
        {"###0.##", 2.0, "2"},
        {"###0.##", 0.2, "0,2"},
        {"###0.##", 37.5, "37,5"},
        {"###0.##", 1234.567, "1234,57"},
        {"###0.##", 0.125, "0,13"}, // halves away from zero
        {"###0.##", -0.125, "-0,13"},
        {"###0.##", -0.001, "0"},   // rounds to zero: no minus sign
        {"###0.##", 99.999, "100"}, // carry through the integer part
        {"###0.##", 1e-4, "0"},
        {"###0.##", 123456789.0, "123456789"},
        {"0.00", 1.5, "1,50"},
        {"#.##", 0.5, ",5"},
        {"#,##0", 1234567.0, "1.234.567"},
        {"'x='0.0' u'", 2.25, "x=2,3 u"},
        {"###0.##;neg", -3.0, "-3"},
    };
    TFormatSettings s = FormatSettings();
    s.ThousandSeparator = std::string(1, '.');
    SetFormatSettings(s);
    for (const auto& c : cases)
        EXPECT_EQ(FormatFloat(c.Format, c.Value), c.Expected) << c.Format << " of " << c.Value;
}

TEST(FormatFloat, NonFiniteValuesGiveZero)
{
    TPinnedFormat pin;
    EXPECT_EQ(FormatFloat("###0.##", std::numeric_limits<double>::quiet_NaN()), "0");
    EXPECT_EQ(FormatFixed2(std::numeric_limits<double>::infinity()), "0.00");
}

TEST(FormatFixed2, TwoDecimalsWithTheUserSeparatorAndNoGrouping)
{
    {
        TPinnedFormat pin(",");
        EXPECT_EQ(FormatFixed2(1.5), "1,50");
        EXPECT_EQ(FormatFixed2(1234567.891), "1234567,89");
    }
    TPinnedFormat pin(".");
    EXPECT_EQ(FormatFixed2(0.0), "0.00");
    EXPECT_EQ(FormatFixed2(0.999609375), "1.00");
    // Halves away from zero, as FormatFloat rounds: both give one text for one value.
    for (const double v : {1.625, 0.125, 2.375, -1.625, 1023.995})
        EXPECT_EQ(FormatFixed2(v), FormatFloat("0.00", v)) << v;
    EXPECT_EQ(FormatFixed2(1.625), "1.63");
    EXPECT_EQ(FormatFixed2(-0.001), "0.00");
}

// 45000 is 2023-03-15, a Wednesday.
constexpr double Day = 45000.0;
double At(int AHour, int AMinute, int ASecond, int AMs = 0)
{
    return Day + (AHour * 3600.0 + AMinute * 60.0 + ASecond + AMs / 1000.0) / 86400.0;
}

TEST(FormatDateTime, PatternLetters)
{
    TPinnedFormat pin;
    struct
    {
        const char* Format;
        double Value;
        const char* Expected;
    } const cases[] = {
        {"hh:mm:ss", At(13, 5, 9), "13:05:09"},
        {"h:mm:ss AP", At(13, 5, 9), "1:05:09 PM"},
        {"hh:mm ap", At(0, 7, 0), "12:07 am"},
        {"H:m:s", At(7, 3, 4), "7:3:4"},
        {"yyyy-MM-dd", Day, "2023-03-15"},
        {"d/M/yy", Day, "15/3/23"},
        {"ddd d MMM yyyy", Day, "Wed 15 Mar 2023"},
        {"dddd, MMMM d", Day, "Wednesday, March 15"},
        {"hh:mm:ss.zzz", At(1, 2, 3, 45), "01:02:03.045"},
        {"'at' hh 'o''clock'", At(9, 0, 0), "at 09 o'clock"},
        {"h:mm:ss t", At(9, 0, 0), "9:00:00"},
        {"yyyy-MM-dd", 0.0, "1899-12-30"},
        {"yyyy-MM-dd", 2.0, "1900-01-01"},
        {"yyyy-MM-dd", 60.0, "1900-02-28"},
        {"yyyy-MM-dd", 61.0, "1900-03-01"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatDateTime(c.Format, c.Value), c.Expected) << c.Format;
}

TEST(FormatDateTime, MillisecondsRoundIntoTheNextDayAndBadValuesGiveNothing)
{
    TPinnedFormat pin;
    EXPECT_EQ(FormatDateTime("yyyy-MM-dd hh:mm:ss", Day + 0.99999999999), "2023-03-16 00:00:00");
    EXPECT_EQ(FormatDateTime("hh:mm", std::numeric_limits<double>::quiet_NaN()), "");
    EXPECT_EQ(FormatDateTime("hh:mm", 1e12), "");
}

TEST(DateTimeToStr, ShortDateAndLongTimeWithTheTimeLeftOutAtMidnight)
{
    TPinnedFormat pin(".", "dd.MM.yyyy", "HH:mm:ss");
    EXPECT_EQ(DateTimeToStr(At(13, 5, 9)), "15.03.2023 13:05:09");
    EXPECT_EQ(DateTimeToStr(Day), "15.03.2023");
    EXPECT_EQ(DateTimeToStr(At(0, 0, 0, 1)), "15.03.2023 00:00:00");
}

} // namespace
} // namespace qn
