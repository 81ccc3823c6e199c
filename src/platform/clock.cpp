// The system's clocks behind the clock seam.
#include "platform/clock.h"

#include <chrono>

namespace qn {

std::uint64_t TSystemClock::TickCount()
{
    return GetTickCount64();
}

std::uint64_t TSystemClock::BootTickCount()
{
    return GetBootTickCount64();
}

double TSystemClock::Now()
{
    return LocalDateTimeNow();
}

std::int64_t TSystemClock::UnixTime()
{
    return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

IClock& SystemClock()
{
    static TSystemClock clock;
    return clock;
}

} // namespace qn
