// Linux clocks: CLOCK_MONOTONIC for elapsed time, CLOCK_BOOTTIME for sleep, CLOCK_REALTIME for local time.
#include "platform/clock.h"

#include <ctime>

namespace qn {

std::uint64_t GetTickCount64()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::uint64_t>(ts.tv_sec) * 1000u + static_cast<std::uint64_t>(ts.tv_nsec / 1000000);
}

std::uint64_t GetBootTickCount64()
{
    timespec ts{};
    clock_gettime(CLOCK_BOOTTIME, &ts);
    return static_cast<std::uint64_t>(ts.tv_sec) * 1000u + static_cast<std::uint64_t>(ts.tv_nsec / 1000000);
}

double LocalDateTimeNow()
{
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    tm local{};
    const time_t seconds = ts.tv_sec;
    localtime_r(&seconds, &local);
    // tm_gmtoff already includes daylight saving for this instant.
    const double localSeconds = static_cast<double>(seconds + local.tm_gmtoff) + ts.tv_nsec / 1e9;
    return UnixEpochAsDateTime + localSeconds / 86400.0;
}

} // namespace qn
