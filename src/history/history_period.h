// Local-time bucket keys of the history (hour, day, month, year) and their ISO texts.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace qn {

enum class THistoryPeriod : std::uint8_t
{
    hpHour,
    hpDay,
    hpMonth,
    hpYear,
};

// The buckets of one instant in local time, as sortable numbers: Hour 2026120914 (YYYYMMDDHH),
// Day 20261209 (YYYYMMDD), Month 202612 (YYYYMM). A year is Month / 100.
struct TBucketKeys
{
    std::int64_t Hour = 0;
    std::int64_t Day = 0;
    std::int64_t Month = 0;

    bool operator==(const TBucketKeys&) const = default;
};

// The local buckets of AUnixTime under the process's time zone (TZ). An hour that repeats when
// daylight saving ends is one bucket; an hour skipped when it starts has none.
TBucketKeys LocalBucketKeys(std::int64_t AUnixTime);

// The oldest keys kept at AUnixTime: hours of the last 7 days, days of the last 3 years.
// Months are kept forever.
struct TRetention
{
    std::int64_t FirstHour = 0;
    std::int64_t FirstDay = 0;

    bool operator==(const TRetention&) const = default;
};
TRetention RetentionAt(std::int64_t AUnixTime);

// ISO 8601 text of a key: "2026-12-09T14:00", "2026-12-09", "2026-12", "2026". With ASpace the
// hour is written "2026-12-09 14:00", as the report table shows it.
std::string PeriodText(THistoryPeriod APeriod, std::int64_t AKey, bool ASpace = false);

// The first and last day key that the bucket AKey of APeriod covers (an hour: its day).
std::pair<std::int64_t, std::int64_t> DaysOfPeriod(THistoryPeriod APeriod, std::int64_t AKey);

// "hours", "days", "months", "years", as the tool's options and the JSON name them.
const char* PeriodName(THistoryPeriod APeriod);

} // namespace qn
