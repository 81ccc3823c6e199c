// The interface row read through the IP helper binding.
#include "netdata/ip_helper_counter_source.h"

#include "netdata/ip_helper_table.h"
#include "netdata/traffic_counter_pass.h"

#include <cstring>

namespace qn {

TIpHelperCounterSource::TIpHelperCounterSource(IClock& ARowClock) : FClock(&ARowClock) {}

TIpHelperCounterSource::TIpHelperCounterSource(TTrafficCounterPass* APass, IClock& AClock)
    : FPass(APass), FHostPass(false), FClock(&AClock)
{
}

namespace {

// The kernel took the row's figures somewhere between the two clock readings.
std::uint64_t Midway(std::uint64_t ABefore, std::uint64_t AAfter)
{
    return AAfter >= ABefore ? ABefore + (AAfter - ABefore) / 2 : ABefore;
}

} // namespace

bool TIpHelperCounterSource::ReadCounters(std::uint32_t AIntfIdx, TTrafficCounters& ACounters,
                                          std::uint64_t ANotBeforeMs)
{
    ACounters = TTrafficCounters{};
    const TIpHelperTable& table = IpHelper();
    TTrafficCounterPass* pass = FHostPass ? (IpHelperFromHost() ? &HostCounterPass() : nullptr) : FPass;
    if (pass) {
        const int result = pass->Read(AIntfIdx, ACounters, ANotBeforeMs);
        if (result >= 0)
            return result > 0;
    }
    const std::uint64_t asked = FClock->TickCount();
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
        ACounters.TimeMs = Midway(asked, FClock->TickCount());
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
        ACounters.TimeMs = Midway(asked, FClock->TickCount());
        return true;
    }
    return false;
}

} // namespace qn
