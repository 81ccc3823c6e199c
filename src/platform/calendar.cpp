// The calendar's day arithmetic (H. Hinnant's civil-date algorithms, shifted to 1899-12-30).
#include "platform/calendar.h"

#include <cmath>

namespace qn {

namespace {
constexpr std::int64_t MsPerDay = 86'400'000;
// Days from 0000-03-01 to 1970-01-01.
constexpr std::int64_t CivilShift = 719468;
} // namespace

std::int64_t DaysFromDate(std::int64_t AYear, unsigned AMonth, unsigned ADay)
{
    const std::int64_t y = AYear - (AMonth <= 2);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (AMonth > 2 ? AMonth - 3 : AMonth + 9) + 2) / 5 + ADay - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - CivilShift + UnixEpochDays;
}

unsigned DaysInMonth(std::int64_t AYear, unsigned AMonth)
{
    static constexpr unsigned Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (AYear % 4 == 0 && AYear % 100 != 0) || AYear % 400 == 0;
    return AMonth == 2 && leap ? 29 : Days[AMonth - 1];
}

void DateFromDays(std::int64_t ADays, std::int64_t& AYear, unsigned& AMonth, unsigned& ADay)
{
    const std::int64_t z = ADays - UnixEpochDays + CivilShift;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    ADay = doy - (153 * mp + 2) / 5 + 1;
    AMonth = mp < 10 ? mp + 3 : mp - 9;
    AYear = static_cast<std::int64_t>(yoe) + era * 400 + (AMonth <= 2);
}

bool DecodeDateTime(double AValue, TDateTimeFields& AOut)
{
    if (!std::isfinite(AValue) || AValue < MinDateTime || AValue >= EndDateTime)
        return false;
    auto days = static_cast<std::int64_t>(std::trunc(AValue));
    auto ms = static_cast<std::int64_t>(std::llround(std::fabs(AValue - static_cast<double>(days)) * MsPerDay));
    if (ms >= MsPerDay) {
        ms -= MsPerDay;
        days += AValue < 0 ? -1 : 1;
    }
    std::int64_t y = 0;
    unsigned m = 0, d = 0;
    DateFromDays(days, y, m, d);
    if (y < 1 || y > 9999)
        return false;
    AOut.Year = static_cast<int>(y);
    AOut.Month = static_cast<int>(m);
    AOut.Day = static_cast<int>(d);
    // 1899-12-30 was a Saturday.
    AOut.DayOfWeek = static_cast<int>(((days % 7) + 7 + 6) % 7);
    AOut.Hour = static_cast<int>(ms / 3'600'000);
    AOut.Minute = static_cast<int>(ms / 60'000 % 60);
    AOut.Second = static_cast<int>(ms / 1000 % 60);
    AOut.MSec = static_cast<int>(ms % 1000);
    return true;
}

} // namespace qn
