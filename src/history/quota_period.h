// The data cap's current period in local time: billing days, week starts, daylight saving.
#pragma once

#include "history/quota_settings.h"

#include <cstdint>
#include <string>

namespace qn {

// One period of the cap: from local midnight of its first day to local midnight after its last.
// FirstDay and EndDay are day keys (YYYYMMDD, as the history's day rows); EndDay is the first day
// after the period. Days counts calendar days, so a day of 23 or 25 hours is one day.
struct TQuotaWindow
{
    std::int64_t Start = 0; // Unix time of the first day's local midnight
    std::int64_t End = 0;   // Unix time of the local midnight that ends the period
    std::int64_t FirstDay = 0;
    std::int64_t EndDay = 0;
    int Days = 0;

    bool Contains(std::int64_t ADay) const { return ADay >= FirstDay && ADay < EndDay; }
    bool operator==(const TQuotaWindow&) const = default;
};

// The period that holds AUnixTime under the process's time zone (TZ). A month's billing day past
// the month's end is its last day (31 gives 28 or 29 February); a week starts on the weekday
// StartDay (Monday = 1).
TQuotaWindow QuotaWindowAt(const TQuotaSettings& ASettings, std::int64_t AUnixTime);

// Whole local days from the day of AUnixTime to the end of AWindow, that day included (at least 1
// inside the window).
int DaysLeft(const TQuotaWindow& AWindow, std::int64_t AUnixTime);

// Unix time of the local midnight that begins the day key ADay (YYYYMMDD).
std::int64_t DayStart(std::int64_t ADay);

// What the warnings of a period are remembered by: "month 2026-12-05", "day 2026-12-09".
std::string QuotaPeriodId(const TQuotaSettings& ASettings, const TQuotaWindow& AWindow);

} // namespace qn
