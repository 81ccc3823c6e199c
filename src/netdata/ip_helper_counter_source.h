// The real counter source of the panels and the history: the interface row read through the IP helper binding.
#pragma once

#include "netdata/traffic_counter_source.h"

namespace qn {

// Reads through the process-wide IP helper table as it is bound at the time of each call. With
// GetIfEntry2 bound the counters are the 64-bit ones of MIB_IF_ROW2 (Wide); otherwise GetIfEntry
// gives the 32-bit ones of MIB_IFROW. With neither bound, or on any result other than NO_ERROR,
// the read fails with cleared counters. The row lives on the stack and is zero-filled every time.
class TIpHelperCounterSource final : public ITrafficCounterSource
{
public:
    bool ReadCounters(std::uint32_t AIntfIdx, TTrafficCounters& ACounters) override;
};

} // namespace qn
