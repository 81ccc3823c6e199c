// The one reading of every interface's octet counters that the list, the panels and the history share.
#pragma once

#include "netdata/traffic_counter_source.h"
#include "platform/clock.h"
#include "platform/link_counters.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace qn {

// A pass is one bulk request for all interfaces' 64-bit counters. Readers ask for one interface at
// their own tick; the first read after the pass turned MaxAgeMs old takes a new one, so readers that
// tick once a second share one request a second, whatever their number and the number of
// interfaces. Invalidate makes the next read take a new pass (the interfaces changed). Used on one
// thread; the clock is borrowed for its life.
class TTrafficCounterPass
{
public:
    // Shorter than a second, so a reader ticking once a second never gets the pass it got last
    // time, with room for a timer that fires a little early.
    static constexpr std::uint64_t MaxAgeMs = 900;

    using TReadAll = std::function<int(std::vector<TLinkCounters>& ACounters)>;

    TTrafficCounterPass(TReadAll ARead, IClock& AClock);

    // 1 with the interface's counters (Wide, stamped with the pass's time), 0 when the pass has no
    // such interface (it is gone), -1 when there is no pass (the system has no bulk request, or it
    // failed): ask the row instead. A pass taken before ANotBeforeMs is taken anew, so a reader that
    // needs a span since its own last reading gets one.
    int Read(std::uint32_t AIntfIdx, TTrafficCounters& ACounters, std::uint64_t ANotBeforeMs = 0);
    // Every interface's counters from a pass taken at ANotBeforeMs or later, as the bulk request
    // gives them: 1 read, 0 the system has no such request, -1 it failed (ACounters empty).
    int ReadAll(std::vector<TLinkCounters>& ACounters, std::uint64_t ANotBeforeMs);
    void Invalidate() { FValid = false; }
    // The bulk requests made so far.
    std::uint64_t Passes() const { return FPasses; }
    // The monotonic time the current pass was taken at.
    std::uint64_t TakenMs() const { return FTakenMs; }

private:
    // Takes a new pass when the current one is too old for ANotBeforeMs or for MaxAgeMs.
    void Renew(std::uint64_t ANotBeforeMs);

    TReadAll FRead;
    IClock& FClock;
    std::vector<TLinkCounters> FCounters;
    std::uint64_t FTakenMs = 0;
    std::uint64_t FPasses = 0;
    bool FValid = false;  // a pass was attempted and has not been invalidated
    bool FFailed = false; // that attempt failed
    bool FSupported = true;
};

// The process's pass over the host's interfaces (the platform's bulk request, the monotonic clock).
TTrafficCounterPass& HostCounterPass();

} // namespace qn
