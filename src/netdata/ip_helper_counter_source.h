// The real counter source of the panels and the history: the interface row read through the IP helper binding.
#pragma once

#include "netdata/traffic_counter_source.h"
#include "platform/clock.h"

namespace qn {

// The program's one counter reader, with one policy: the counters are 64-bit whenever the service
// has 64-bit rows. While the table is bound to the host's own service, reads come from the shared
// once-a-second pass (HostCounterPass: one bulk request for all interfaces); an interface missing
// from a pass that succeeded is gone and the read fails. Without a pass (a system without the bulk
// request, a pass that failed, or a table put in place by a test) each read asks the row: with
// GetIfEntry2 bound the counters are the 64-bit ones of MIB_IF_ROW2 (Wide), and a bound GetIfEntry2
// that fails is a failed read, never answered from the 32-bit row (else a total would show 64 bits
// one second and its low 32 bits the next); only a service without GetIfEntry2 gives the 32-bit
// counters of MIB_IFROW through GetIfEntry. With neither bound, or on any result other than
// NO_ERROR, the read fails with cleared counters. Rows live on the stack and are zero-filled. A
// reading from the pass carries the pass's time; a row carries the time it was asked.
class TTrafficCounterPass;

class TIpHelperCounterSource final : public ITrafficCounterSource
{
public:
    // The host's pass while the table is bound to the host's service; rows timed by ARowClock (the
    // reader's own clock, borrowed for the source's life).
    explicit TIpHelperCounterSource(IClock& ARowClock = SystemClock());
    // APass (when not null) whatever the table is bound to, and AClock for the rows. Both are
    // borrowed and must outlive the source.
    TIpHelperCounterSource(TTrafficCounterPass* APass, IClock& AClock);

    bool ReadCounters(std::uint32_t AIntfIdx, TTrafficCounters& ACounters, std::uint64_t ANotBeforeMs) override;

private:
    TTrafficCounterPass* FPass = nullptr;
    bool FHostPass = true;
    IClock* FClock;
};

} // namespace qn
