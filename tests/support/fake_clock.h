// A clock the test moves: monotonic, boot and wall time set by hand, for every layer's clock seam.
#pragma once

#include "platform/clock.h"

#include <cstdint>

namespace qn::test {

// The wall clock has two readings, each kept apart so a test sets the one its code reads: Now, the
// charts' local date-time, follows the monotonic clock from Epoch plus the jumps in WallOffset;
// UnixTime, the history's, is Wall and moves only when set or advanced.
class TFakeClock final : public IClock
{
public:
    explicit TFakeClock(std::uint64_t AMs = 5000) : Ms(AMs) {}

    // Monotonic milliseconds.
    std::uint64_t Ms;
    // The time asleep so far: the boot clock's lead over the monotonic one.
    std::uint64_t AsleepMs = 0;
    // The local date-time at Ms = 0 as days since 1899-12-30; 45000.5 is 2023-03-15 12:00.
    double Epoch = 45000.5;
    // The local wall clock's steps and jumps so far, in days.
    double WallOffset = 0.0;
    // Seconds since 1970-01-01 00:00 UTC.
    std::int64_t Wall = 0;

    std::uint64_t TickCount() override { return Ms; }
    std::uint64_t BootTickCount() override { return Ms + AsleepMs; }
    double Now() override { return Epoch + static_cast<double>(Ms) / 86400000.0 + WallOffset; }
    std::int64_t UnixTime() override { return Wall; }

    // The monotonic clock and Unix time both move on by ASeconds.
    void Advance(std::int64_t ASeconds)
    {
        Wall += ASeconds;
        Ms += static_cast<std::uint64_t>(ASeconds) * 1000u;
    }
    // The machine slept for AMs: the boot clock and the local wall clock move on, the monotonic
    // one does not.
    void Sleep(std::uint64_t AMs)
    {
        AsleepMs += AMs;
        WallOffset += static_cast<double>(AMs) / 86400000.0;
    }
};

} // namespace qn::test
