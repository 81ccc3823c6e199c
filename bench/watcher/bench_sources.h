// The watcher benchmarks' clock and counters: a clock the benchmark moves and counters it sets.
#pragma once

#include "watcher/watcher_statistics.h"

#include <cstdint>

namespace qn::bench {

class TBenchClock : public IWatcherClock
{
public:
    std::uint64_t Ms = 1000;
    std::uint64_t TickCount() override { return Ms; }
    double Now() override { return 45000.5 + static_cast<double>(Ms) / 86400000.0; }
};

class TBenchCounters : public ITrafficCounterSource
{
public:
    TTrafficCounters Value{1000000, 1000, true};
    bool ReadCounters(std::uint32_t, TTrafficCounters& ACounters) override
    {
        ACounters = Value;
        return true;
    }
};

} // namespace qn::bench
