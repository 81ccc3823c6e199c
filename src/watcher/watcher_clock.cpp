// The system's clocks behind the watcher's clock seam.
#include "watcher/watcher_clock.h"

#include "platform/clock.h"

namespace qn {

std::uint64_t TSystemWatcherClock::TickCount()
{
    return GetTickCount64();
}

std::uint64_t TSystemWatcherClock::BootTickCount()
{
    return GetBootTickCount64();
}

double TSystemWatcherClock::Now()
{
    return LocalDateTimeNow();
}

} // namespace qn
