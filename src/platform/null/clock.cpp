// Standard C++ clocks; without a known time zone, local time is UTC.
#include "platform/clock.h"

#include <chrono>

namespace qn {

std::uint64_t GetTickCount64()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

std::uint64_t GetBootTickCount64()
{
    return GetTickCount64(); // standard C++ cannot tell time asleep
}

double LocalDateTimeNow()
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const double seconds = std::chrono::duration<double>(now).count();
    return UnixEpochAsDateTime + seconds / 86400.0;
}

} // namespace qn
