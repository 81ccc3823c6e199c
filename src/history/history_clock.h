// The seam through which the history reads time: the wall clock for buckets, the monotonic one for intervals.
#pragma once

#include <cstdint>

namespace qn {

// Wall time decides which local hour, day and month a read belongs to; it may jump (a manual
// change, a time sync). Monotonic time decides when the next write is due and never goes back.
class IHistoryClock
{
public:
    virtual ~IHistoryClock() = default;
    // Seconds since 1970-01-01 00:00 UTC.
    virtual std::int64_t UnixTime() = 0;
    // Monotonic milliseconds; never goes backwards.
    virtual std::uint64_t TickCount() = 0;
};

// The system's clocks.
class TSystemHistoryClock final : public IHistoryClock
{
public:
    std::int64_t UnixTime() override;
    std::uint64_t TickCount() override;
};

} // namespace qn
