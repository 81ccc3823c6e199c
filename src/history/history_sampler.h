// The reads of every present interface, turned into bytes per local bucket by the panels' rules.
#pragma once

#include "history/history_batch.h"
#include "netdata/counter_baseline.h"
#include "netdata/traffic_counter_source.h"
#include "platform/clock.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace qn {

// An interface present now: its name (the key of its rows) and the index its counters are read by.
struct THistoryInterface
{
    std::string Name;
    std::uint32_t IntfIdx = 0;
};

// Keeps one baseline per interface name (TCounterBaseline, the panels' keeper) and adds what each
// read moved to the buckets of that read's local time, by the one counter rule: a 64-bit
// counter that drops was reset and counts nothing for that read; a 32-bit one is taken modulo 2^32;
// a change of width counts nothing; a failed read, a 32-bit read of both counters 0 or a new index
// for the name starts a new baseline and counts nothing (a 64-bit read of 0 and 0 is a fresh link
// and a baseline like any other); an interface missing from a pass loses its baseline and counts
// nothing until it returns. Time is
// never measured, only bytes: a clock that jumps moves where bytes go, never how many.
// The source and the clock are borrowed and must outlive the sampler.
class THistorySampler
{
public:
    THistorySampler(ITrafficCounterSource& ASource, IClock& AClock);

    // One read of every interface in APresent.
    void Sample(const std::vector<THistoryInterface>& APresent);
    // The bytes summed since the last call; the sampler starts a new batch.
    THistoryBatch TakeBatch();
    bool Pending() const { return !FBatch.Empty(); }
    // The bytes summed since the last TakeBatch, not yet taken.
    const THistoryBatch& PendingBatch() const { return FBatch; }

private:
    struct TNamedBaseline
    {
        TCounterBaseline Counters;
        std::uint64_t Pass = 0; // the last pass the name was present in
    };

    ITrafficCounterSource& FSource;
    IClock& FClock;
    std::map<std::string, TNamedBaseline> FBaselines;
    THistoryBatch FBatch;
    std::uint64_t FPass = 0;
};

} // namespace qn
