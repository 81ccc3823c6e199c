// The system clocks the program reads: a monotonic millisecond counter, the boot clock and the wall clock.
#pragma once

#include "platform/calendar.h"

#include <cstdint>

namespace qn {

// Milliseconds since an arbitrary fixed point; never goes backwards and does not wrap in practice.
std::uint64_t GetTickCount64();

// Milliseconds since the same kind of point, counting the time the machine was asleep as well:
// it runs ahead of GetTickCount64 by the time spent in sleep since boot. Where sleep cannot be
// told, it is GetTickCount64.
std::uint64_t GetBootTickCount64();

// The local date and time as days since 1899-12-30 00:00 (fraction = time of day), the form
// charts and stored date-times use.
double LocalDateTimeNow();

// The seam through which the layers above read time, so that tests can step, jump and sleep it.
// Monotonic time decides intervals and rates and never goes back; wall time decides where a
// moment shows or is filed, and may jump (a manual change, a time sync, daylight saving).
class IClock
{
public:
    virtual ~IClock() = default;
    // Monotonic milliseconds (GetTickCount64).
    virtual std::uint64_t TickCount() = 0;
    // Monotonic milliseconds that also count time asleep: ahead of TickCount by the time the
    // machine slept. A clock that cannot tell sleep gives TickCount.
    virtual std::uint64_t BootTickCount() { return TickCount(); }
    // The local date-time as days since 1899-12-30, the charts' x values.
    virtual double Now() = 0;
    // Seconds since 1970-01-01 00:00 UTC.
    virtual std::int64_t UnixTime() = 0;
};

// The system's clocks.
class TSystemClock final : public IClock
{
public:
    std::uint64_t TickCount() override;
    std::uint64_t BootTickCount() override;
    double Now() override;
    std::int64_t UnixTime() override;
};

// One system clock for every part that is not given another; it keeps no state.
IClock& SystemClock();

} // namespace qn
