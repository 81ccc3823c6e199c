// All interfaces' 64-bit octet counters in one request to the system, for the once-a-second pass.
#pragma once

#include <cstdint>
#include <vector>

namespace qn {

struct TLinkCounters
{
    std::uint32_t Index = 0; // the interface index of the IP helper rows
    std::uint64_t InOctets = 0;
    std::uint64_t OutOctets = 0;
};

// Replaces ACounters with one reading of every interface's received and sent octets, by index in
// increasing order. 1 on success; 0 when the system has no such request (callers then read the
// interface rows one by one); -1 when the request failed this time (ACounters is then empty).
// Never blocks beyond one kernel exchange; may be called from any thread.
int ReadLinkCounters(std::vector<TLinkCounters>& ACounters);

} // namespace qn
