// One sampling tick of a watcher whose series are full: read, rates, read-outs, chart steps.
#include "watcher/watcher_statistics.h"

#include "support/fake_clock.h"
#include "support/scripted_counters.h"

#include <benchmark/benchmark.h>

namespace {

using qn::test::TFakeClock;
using qn::test::TScriptedCounters;

void BM_TickAtTrimLimit(benchmark::State& AState)
{
    TFakeClock clock(1000);
    TScriptedCounters counters({1000000, 1000, true});
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
