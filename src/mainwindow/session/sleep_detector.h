// Tells that the machine slept since the last look, from the boot clock running ahead of the monotonic one.
#pragma once

#include "platform/clock.h"

#include <cstdint>

namespace qn {

// The monotonic clock stops while the machine sleeps and the boot clock does not, so the distance
// between them grows by the time asleep. This works with or without a desktop that announces the
// sleep, and sees a sleep that happened while the program was not looking (a missed signal).
// The clock is borrowed and outlives the detector.
class TSleepDetector
{
public:
    // Sleeps shorter than this are taken for clock noise.
    static constexpr std::uint64_t MinSleepMs = 2000;

    explicit TSleepDetector(IClock& AClock);
    // True once for each sleep of at least MinSleepMs since the last call (or construction).
    bool Resumed();
    // Forgets the time asleep so far: a sleep already handled (announced by the desktop) is not
    // told again.
    void Reset();
    // The milliseconds asleep found by the last call that returned true.
    std::uint64_t LastSleepMs() const { return FLastSleepMs; }

private:
    std::uint64_t Offset() const;

    IClock& FClock;
    std::uint64_t FOffset = 0;
    std::uint64_t FLastSleepMs = 0;
};

} // namespace qn
