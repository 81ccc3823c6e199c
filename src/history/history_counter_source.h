// The seam through which the history reads an interface's two octet counters.
#pragma once

#include <cstdint>
#include <string>

namespace qn {

// One reading of an interface's cumulative octet counters. Wide says the counters are 64-bit;
// narrow ones are 32-bit and wrap, so their differences are taken modulo 2^32.
struct THistoryCounters
{
    std::uint64_t InOctets = 0;
    std::uint64_t OutOctets = 0;
    bool Wide = false;
};

// An interface present now: its name (the key of its rows) and the index its counters are read by.
struct THistoryInterface
{
    std::string Name;
    std::uint32_t IntfIdx = 0;
};

// Reads the counters of the interface with index AIntfIdx. Returns false when it cannot be read
// (gone, or the query failed). Called on the thread that drives the recorder; must not block.
class IHistoryCounterSource
{
public:
    virtual ~IHistoryCounterSource() = default;
    virtual bool ReadCounters(std::uint32_t AIntfIdx, THistoryCounters& ACounters) = 0;
};

} // namespace qn
