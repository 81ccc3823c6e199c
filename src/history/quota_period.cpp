// Period arithmetic on the local calendar through mktime, which knows the zone's rules.
#include "history/quota_period.h"

#include "history/history_period.h"
#include "platform/calendar.h"

#include <algorithm>
#include <ctime>

namespace qn {

namespace {

struct TDate
{
    int Year = 1970;
    int Month = 1; // 1-12
    int Day = 1;
};

TDate LocalDate(std::int64_t AUnixTime)
{
    const std::time_t t = static_cast<std::time_t>(AUnixTime);
    std::tm local{};
    localtime_r(&t, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

// Local midnight of a date; mktime normalises a day or month out of range (the 32nd is the next
// month's 1st). Midnight that daylight saving skips is taken as the first moment of that day.
std::int64_t Midnight(int AYear, int AMonth, int ADay)
{
    std::tm tm{};
    tm.tm_year = AYear - 1900;
    tm.tm_mon = AMonth - 1;
    tm.tm_mday = ADay;
    tm.tm_isdst = -1;
    return static_cast<std::int64_t>(mktime(&tm));
}

// Days since 1970-01-01 of a civil date (the one calendar's): day counts that no clock change moves.
std::int64_t DayNumber(int AYear, int AMonth, int ADay)
{
    return DaysFromDate(AYear, static_cast<unsigned>(AMonth), static_cast<unsigned>(ADay)) - UnixEpochDays;
}

std::int64_t DayKey(const TDate& ADate)
{
    return ADate.Year * 10000LL + ADate.Month * 100 + ADate.Day;
}

TDate AddDays(const TDate& ADate, int ADays)
{
    std::tm tm{};
    tm.tm_year = ADate.Year - 1900;
    tm.tm_mon = ADate.Month - 1;
    tm.tm_mday = ADate.Day + ADays;
    tm.tm_hour = 12; // noon never falls into a daylight-saving gap
    tm.tm_isdst = -1;
    mktime(&tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday};
}

TDate BillingDay(int AYear, int AMonth, int AStartDay)
{
    if (AMonth < 1) {
        AMonth += 12;
        --AYear;
    } else if (AMonth > 12) {
        AMonth -= 12;
        ++AYear;
    }
    return {AYear, AMonth, std::min(AStartDay, static_cast<int>(DaysInMonth(AYear, static_cast<unsigned>(AMonth))))};
}

std::int64_t DayNumber(const TDate& ADate)
{
    return DayNumber(ADate.Year, ADate.Month, ADate.Day);
}

} // namespace

TQuotaWindow QuotaWindowAt(const TQuotaSettings& ASettings, std::int64_t AUnixTime)
{
    const TDate today = LocalDate(AUnixTime);
    TDate first = today, end = AddDays(today, 1);
    switch (ASettings.Period) {
    case TQuotaPeriod::qpDay:
        break;
    case TQuotaPeriod::qpWeek: {
        // 1970-01-01 was a Thursday (weekday 4 with Monday = 1).
        const int weekday = static_cast<int>(((DayNumber(today) % 7) + 7 + 3) % 7) + 1;
        const int start = std::clamp(ASettings.StartDay, 1, 7);
        first = AddDays(today, -((weekday - start + 7) % 7));
        end = AddDays(first, 7);
        break;
    }
    case TQuotaPeriod::qpMonth: {
        const int start = std::clamp(ASettings.StartDay, 1, 31);
        first = BillingDay(today.Year, today.Month, start);
        if (DayKey(first) > DayKey(today))
            first = BillingDay(today.Year, today.Month - 1, start);
        end = BillingDay(first.Year, first.Month + 1, start);
        break;
    }
    }
    TQuotaWindow w;
    w.FirstDay = DayKey(first);
    w.EndDay = DayKey(end);
    w.Start = Midnight(first.Year, first.Month, first.Day);
    w.End = Midnight(end.Year, end.Month, end.Day);
    w.Days = static_cast<int>(DayNumber(end) - DayNumber(first));
    return w;
}

int DaysLeft(const TQuotaWindow& AWindow, std::int64_t AUnixTime)
{
    const TDate today = LocalDate(AUnixTime);
    const std::int64_t end =
        DayNumber(static_cast<int>(AWindow.EndDay / 10000), static_cast<int>(AWindow.EndDay / 100 % 100),
                  static_cast<int>(AWindow.EndDay % 100));
    return static_cast<int>(std::clamp<std::int64_t>(end - DayNumber(today), 0, AWindow.Days));
}

std::int64_t DayStart(std::int64_t ADay)
{
    return Midnight(static_cast<int>(ADay / 10000), static_cast<int>(ADay / 100 % 100), static_cast<int>(ADay % 100));
}

std::string QuotaPeriodId(const TQuotaSettings& ASettings, const TQuotaWindow& AWindow)
{
    return std::string(QuotaPeriodName(ASettings.Period)) + " " + PeriodText(THistoryPeriod::hpDay, AWindow.FirstDay);
}

} // namespace qn
