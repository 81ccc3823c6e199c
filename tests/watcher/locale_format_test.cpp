// The plain number and date formats taken from a system locale.
#include "watcher/locale_format.h"

#include "texts/quantity_format.h"

#include "support/pinned_format.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace qn {
namespace {

TEST(LocaleFormat, ASystemLocaleBecomesThePlainFormats)
{
    test::TPinnedFormat restore;
    SetFormatSettings(FormatSettingsFromLocale(QLocale(QLocale::German, QLocale::Germany)));
    EXPECT_EQ(FormatSettings().DecimalSeparator, ",");
    EXPECT_EQ(FormatSettings().ThousandSeparator, ".");
    EXPECT_EQ(FormatTraffic(0, 1536), "1,50 KB");
    EXPECT_EQ(FormatSettings().LongMonthNames[0], "Januar");
    EXPECT_EQ(FormatSettings().LongDayNames[0], "Sonntag") << "Sunday first";
    EXPECT_EQ(FormatSettings().LongDayNames[6], "Samstag");
    EXPECT_EQ(FormatSettings().ShortMonthNames[2].substr(0, 4), "Mär");
    EXPECT_EQ(FormatDateTime(FormatSettings().ShortDateFormat, 45000.5), "15.03.23");
    EXPECT_EQ(DateTimeToStr(45000.5 + 1.0 / 86400), "15.03.23 12:00:01"); // no zone name

    SetFormatSettings(FormatSettingsFromLocale(QLocale(QLocale::English, QLocale::UnitedStates)));
    EXPECT_EQ(FormatSettings().DecimalSeparator, ".");
    EXPECT_EQ(FormatSettings().ShortMonthNames[11], "Dec");
    EXPECT_EQ(FormatSettings().AmDesignator, "AM");
    EXPECT_EQ(DateTimeToStr(45000.75), "3/15/23 6:00:00 PM");
}

} // namespace
} // namespace qn
