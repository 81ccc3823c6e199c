// The system clocks the program reads: a monotonic millisecond counter and the local wall clock.
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

} // namespace qn
