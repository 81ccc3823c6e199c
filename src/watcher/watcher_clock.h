// The seam through which a watcher reads time: elapsed milliseconds and the local date-time.
#pragma once

#include <cstdint>

namespace qn {

class IWatcherClock
{
public:
    virtual ~IWatcherClock() = default;
    // Monotonic milliseconds; never goes backwards.
    virtual std::uint64_t TickCount() = 0;
    // Monotonic milliseconds that also count time asleep: ahead of TickCount by the time the
    // machine slept. A clock that cannot tell sleep gives TickCount.
    virtual std::uint64_t BootTickCount() { return TickCount(); }
    // Local wall-clock date-time as days since 1899-12-30, the chart's x values.
    virtual double Now() = 0;
};

// The system's clocks.
class TSystemWatcherClock final : public IWatcherClock
{
public:
    std::uint64_t TickCount() override;
    std::uint64_t BootTickCount() override;
    double Now() override;
};

} // namespace qn
