// The system clocks the program reads: a monotonic millisecond counter and the local wall clock.
#pragma once

#include <cstdint>

namespace qn {

// Milliseconds since an arbitrary fixed point; never goes backwards and does not wrap in practice.
std::uint64_t GetTickCount64();

// The local date and time as days since 1899-12-30 00:00 (fraction = time of day), the form
// charts and stored date-times use.
double LocalDateTimeNow();

// Days since 1899-12-30 of the Unix epoch.
inline constexpr double UnixEpochAsDateTime = 25569.0;

} // namespace qn
