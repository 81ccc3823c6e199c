// The one rule for what an interface moved between two readings of its octet counters, shared by the
// panels and the history.
#pragma once

#include "netdata/traffic_counter_source.h"

#include <cstdint>

namespace qn {

struct TCounterStep
{
    std::uint64_t In = 0;
    std::uint64_t Out = 0;
};

// Whether a successful reading can be a baseline. A 32-bit pair at 0 and 0 is taken for a failed
// read: a drop to zero would otherwise count as a wrap of almost 4 GiB. A 64-bit pair at 0 and 0 is
// a new link, and its first traffic counts.
bool UsableReading(const TTrafficCounters& AReading);

// The bytes moved from ABaseline to AReading, both usable readings of one interface: nothing across
// a change of width; 32-bit counters modulo 2^32 (one wrap is absorbed); a 64-bit counter that drops
// was reset (link re-created, driver reloaded) and counts nothing, each direction on its own.
TCounterStep CounterDifference(const TTrafficCounters& ABaseline, const TTrafficCounters& AReading);

} // namespace qn
