// The sleep test over the boot and monotonic clocks.
#include "mainwindow/session/sleep_detector.h"

namespace qn {

TSleepDetector::TSleepDetector(IClock& AClock) : FClock(AClock), FOffset(Offset()) {}

std::uint64_t TSleepDetector::Offset() const
{
    // Read monotonic first: a boot reading taken a moment later can only add to the distance
    // by that moment, never make it negative.
    const std::uint64_t tick = FClock.TickCount();
    const std::uint64_t boot = FClock.BootTickCount();
    return boot >= tick ? boot - tick : 0;
}

bool TSleepDetector::Resumed()
{
    const std::uint64_t offset = Offset();
    if (offset < FOffset) {
        FOffset = offset; // a clock that cannot go back did: start over from here
        return false;
    }
    if (offset - FOffset < MinSleepMs)
        return false;
    FLastSleepMs = offset - FOffset;
    FOffset = offset;
    return true;
}

void TSleepDetector::Reset()
{
    FOffset = Offset();
}

} // namespace qn
