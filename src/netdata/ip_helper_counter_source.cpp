// The interface row read through the IP helper binding.
#include "netdata/ip_helper_counter_source.h"

#include "netdata/ip_helper_table.h"
#include "netdata/traffic_counter_pass.h"

#include <cstring>

namespace qn {

bool TIpHelperCounterSource::ReadCounters(std::uint32_t AIntfIdx, TTrafficCounters& ACounters)
{
    ACounters = TTrafficCounters{};
    const TIpHelperTable& table = IpHelper();
    if (IpHelperFromHost()) {
        const int result = HostCounterPass().Read(AIntfIdx, ACounters);
        if (result >= 0)
            return result > 0;
    }
    if (table.GetIfEntry2) {
        // Bound but failing is a failed read, not a reason to mix in 32-bit counters.
        MIB_IF_ROW2 row;
        std::memset(&row, 0, sizeof row);
        row.InterfaceIndex = AIntfIdx;
        if (table.GetIfEntry2(&row) != NO_ERROR)
            return false;
        ACounters.InOctets = row.InOctets;
        ACounters.OutOctets = row.OutOctets;
        ACounters.Wide = true;
        return true;
    }
    if (table.GetIfEntry) {
        MIB_IFROW row;
        std::memset(&row, 0, sizeof row);
        row.dwIndex = AIntfIdx;
        if (table.GetIfEntry(&row) != NO_ERROR)
            return false;
        ACounters.InOctets = row.dwInOctets;
        ACounters.OutOctets = row.dwOutOctets;
        return true;
    }
    return false;
}

} // namespace qn
