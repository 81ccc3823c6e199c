// The seam through which the panels and the history read an interface's two octet counters.
#pragma once

#include <cstdint>

namespace qn {

// One reading of an interface's cumulative octet counters. Wide says the counters are 64-bit;
// narrow ones are 32-bit and wrap, so their differences are taken modulo 2^32. TimeMs is the
// monotonic time (IClock::TickCount) of the kernel read the values come from: a shared reading keeps
// the time it was taken, however late it is handed out.
struct TTrafficCounters
{
    std::uint64_t InOctets = 0;
    std::uint64_t OutOctets = 0;
    bool Wide = false;
    std::uint64_t TimeMs = 0;
};

// Reads the counters of the interface with index AIntfIdx, stamped with the time of the read they
// come from. A source that shares readings hands out none taken before ANotBeforeMs (0: any that
// is still current). Returns false, leaving ACounters cleared, when the interface cannot be read
// (gone, or the query failed). Called on the thread that samples (the GUI thread's tick); must not
// block.
class ITrafficCounterSource
{
public:
    virtual ~ITrafficCounterSource() = default;
    virtual bool ReadCounters(std::uint32_t AIntfIdx, TTrafficCounters& ACounters, std::uint64_t ANotBeforeMs) = 0;
};

} // namespace qn
