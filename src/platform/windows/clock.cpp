// Windows clocks: GetTickCount64 for elapsed time, the system time in the local zone for the date.
#include "platform/clock.h"

#include "platform/windows/sdk.h"

namespace qn {

std::uint64_t GetTickCount64()
{
    return ::GetTickCount64();
}

std::uint64_t GetBootTickCount64()
{
    // The tick count already runs on through sleep here, so the two clocks cannot tell a sleep apart;
    // a wake is for the power broadcast to tell.
    return ::GetTickCount64();
}

double LocalDateTimeNow()
{
    FILETIME utc{};
    GetSystemTimePreciseAsFileTime(&utc);
    FILETIME local{};
    if (!FileTimeToLocalFileTime(&utc, &local))
        local = utc;
    // 100 ns units since 1601-01-01, which is 109205 days before 1899-12-30.
    const ULONGLONG ticks = static_cast<ULONGLONG>(local.dwHighDateTime) << 32 | local.dwLowDateTime;
    constexpr double TicksPerDay = 864e9;
    constexpr double DaysFrom1601 = 109205.0;
    return static_cast<double>(ticks) / TicksPerDay - DaysFrom1601;
}

} // namespace qn
