// Local-time bucket keys and their texts.
#include "history/history_period.h"

#include <cstdio>
#include <ctime>

namespace qn {

TBucketKeys LocalBucketKeys(std::int64_t AUnixTime)
{
    const std::time_t t = static_cast<std::time_t>(AUnixTime);
    std::tm local{};
    localtime_r(&t, &local);
    TBucketKeys keys;
    keys.Month = (local.tm_year + 1900) * 100LL + (local.tm_mon + 1);
    keys.Day = keys.Month * 100 + local.tm_mday;
    keys.Hour = keys.Day * 100 + local.tm_hour;
    return keys;
}

TRetention RetentionAt(std::int64_t AUnixTime)
{
    constexpr std::int64_t Week = 7 * 86400;
    TRetention r;
    r.FirstHour = LocalBucketKeys(AUnixTime - Week).Hour;
    // Three calendar years back, the same month and day (a 29 February matches nothing and keeps
    // 1 March, which is harmless).
    r.FirstDay = LocalBucketKeys(AUnixTime).Day - 30000;
    return r;
}

std::string PeriodText(THistoryPeriod APeriod, std::int64_t AKey, bool ASpace)
{
    char text[32];
    const auto n = [](std::int64_t AValue) { return static_cast<long long>(AValue); };
    switch (APeriod) {
    case THistoryPeriod::hpHour:
        std::snprintf(text, sizeof text, "%04lld-%02lld-%02lld%c%02lld:00", n(AKey / 1000000), n(AKey / 10000 % 100),
                      n(AKey / 100 % 100), ASpace ? ' ' : 'T', n(AKey % 100));
        break;
    case THistoryPeriod::hpDay:
        std::snprintf(text, sizeof text, "%04lld-%02lld-%02lld", n(AKey / 10000), n(AKey / 100 % 100), n(AKey % 100));
        break;
    case THistoryPeriod::hpMonth:
        std::snprintf(text, sizeof text, "%04lld-%02lld", n(AKey / 100), n(AKey % 100));
        break;
    default:
        std::snprintf(text, sizeof text, "%04lld", n(AKey));
        break;
    }
    return text;
}

const char* PeriodName(THistoryPeriod APeriod)
{
    switch (APeriod) {
    case THistoryPeriod::hpHour:
        return "hours";
    case THistoryPeriod::hpDay:
        return "days";
    case THistoryPeriod::hpMonth:
        return "months";
    default:
        return "years";
    }
}

std::pair<std::int64_t, std::int64_t> DaysOfPeriod(THistoryPeriod APeriod, std::int64_t AKey)
{
    switch (APeriod) {
    case THistoryPeriod::hpHour:
        return {AKey / 100, AKey / 100};
    case THistoryPeriod::hpDay:
        return {AKey, AKey};
    case THistoryPeriod::hpMonth:
        return {AKey * 100 + 1, AKey * 100 + 31};
    default:
        return {AKey * 10000 + 101, AKey * 10000 + 1231};
    }
}

} // namespace qn
