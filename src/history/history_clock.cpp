// The system's wall and monotonic clocks for the history.
#include "history/history_clock.h"

#include "platform/clock.h"

#include <chrono>

namespace qn {

std::int64_t TSystemHistoryClock::UnixTime()
{
    return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

std::uint64_t TSystemHistoryClock::TickCount()
{
    return GetTickCount64();
}

} // namespace qn
