// One sampling tick of a watcher whose series are full: read, rates, read-outs, chart steps.
#include "watcher/watcher_statistics.h"

#include <benchmark/benchmark.h>

namespace {

class TBenchClock : public qn::IWatcherClock
{
public:
    std::uint64_t Ms = 1000;
    std::uint64_t TickCount() override { return Ms; }
    double Now() override { return 45000.5 + static_cast<double>(Ms) / 86400000.0; }
};

class TBenchCounters : public qn::ITrafficCounterSource
{
public:
    qn::TTrafficCounters Value{1000000, 1000, true};
    bool ReadCounters(std::uint32_t, qn::TTrafficCounters& ACounters) override
    {
        ACounters = Value;
        return true;
    }
};

void BM_TickAtTrimLimit(benchmark::State& AState)
{
    TBenchClock clock;
    TBenchCounters counters;
    qn::TWatcherChartModel chart;
    qn::TWatcherStatistics stats(counters, clock, chart);
    auto tick = [&] {
        clock.Ms += 1000;
        counters.Value.InOctets += 150000 + (clock.Ms / 1000 % 7) * 1000;
        counters.Value.OutOctets += 20000;
        stats.TimerTimer(0);
    };
    for (int i = 0; i <= qn::TWatcherStatistics::MaxPoints; ++i)
        tick();
    for (auto _ : AState)
        tick();
    AState.counters["points"] = chart.Download.Count();
}
BENCHMARK(BM_TickAtTrimLimit);

} // namespace
