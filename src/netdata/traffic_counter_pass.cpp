// The shared counter pass: one bulk request serves every reader for up to MaxAgeMs.
#include "netdata/traffic_counter_pass.h"

#include <algorithm>

namespace qn {

TTrafficCounterPass::TTrafficCounterPass(TReadAll ARead, IClock& AClock) : FRead(std::move(ARead)), FClock(AClock) {}

void TTrafficCounterPass::Renew(std::uint64_t ANotBeforeMs)
{
    const std::uint64_t now = FClock.TickCount();
    // A clock that went back counts as an old pass. A failed pass is not asked again before it
    // is as old: the readers ask the rows meanwhile. A reader's bound beyond now cannot be met by
    // any pass: the pass there is serves, and the reader measures nothing over so short a span.
    const bool tooEarly = !FFailed && FTakenMs < ANotBeforeMs && ANotBeforeMs <= now;
    if (!FValid || now < FTakenMs || now - FTakenMs >= MaxAgeMs || tooEarly) {
        const int result = FRead(FCounters);
        ++FPasses;
        // The kernel took its figures somewhere between the two clock readings; the middle is off
        // by half a request at most, even when the thread was held up around it.
        const std::uint64_t after = FClock.TickCount();
        FTakenMs = after >= now ? now + (after - now) / 2 : now;
        FValid = true;
        FFailed = result <= 0;
        if (result == 0)
            FSupported = false; // the system has no such request: it never will
        if (FFailed)
            FCounters.clear();
    }
}

int TTrafficCounterPass::Read(std::uint32_t AIntfIdx, TTrafficCounters& ACounters, std::uint64_t ANotBeforeMs)
{
    ACounters = TTrafficCounters{};
    if (!FSupported)
        return -1;
    Renew(ANotBeforeMs);
    if (FFailed)
        return -1;
    const auto it = std::lower_bound(FCounters.begin(), FCounters.end(), AIntfIdx,
                                     [](const TLinkCounters& A, std::uint32_t AValue) { return A.Index < AValue; });
    if (it == FCounters.end() || it->Index != AIntfIdx)
        return 0;
    ACounters.InOctets = it->InOctets;
    ACounters.OutOctets = it->OutOctets;
    ACounters.Wide = true;
    ACounters.TimeMs = FTakenMs;
    return 1;
}

int TTrafficCounterPass::ReadAll(std::vector<TLinkCounters>& ACounters, std::uint64_t ANotBeforeMs)
{
    ACounters.clear();
    if (!FSupported)
        return 0;
    Renew(ANotBeforeMs);
    if (!FSupported)
        return 0;
    if (FFailed)
        return -1;
    ACounters = FCounters;
    return 1;
}

TTrafficCounterPass& HostCounterPass()
{
    static TTrafficCounterPass pass(ReadLinkCounters, SystemClock());
    return pass;
}

} // namespace qn
