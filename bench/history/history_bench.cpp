// History benchmarks: the minute's write of 200 interfaces, the report of three years of days, and
// the one-second read of 200 interfaces on the GUI thread.
#include "history/history_sampler.h"
#include "history/history_store.h"

#include "support/fake_clock.h"
#include "support/temp_folder.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace qn;

class TCounters : public ITrafficCounterSource
{
public:
    std::uint64_t Value = 1000;
    std::uint64_t TimeMs = 0;
    bool ReadCounters(std::uint32_t AIntfIdx, TTrafficCounters& ACounters, std::uint64_t) override
    {
        ACounters = {Value + AIntfIdx, Value / 2 + AIntfIdx, true, ++TimeMs};
        return true;
    }
};

// A new history file in AFolder, open for writing; false (and the benchmark skipped) when it fails.
bool OpenStore(const test::TTempFolder& AFolder, THistoryStore& AStore, benchmark::State& AState)
{
    std::string moved, error;
    if (AStore.OpenForWriting(AFolder.File("history.sqlite"), moved, error) == THistoryFailure::hfNone)
        return true;
    AState.SkipWithError(error.c_str());
    return false;
}

// One minute of 200 busy interfaces: an hour, a day and a month bucket each, added in one
// transaction with its synced commit, as the worker does it.
void BM_MinuteWrite200Interfaces(benchmark::State& AState)
{
    test::TTempFolder folder("qn-history-bench");
    THistoryStore store;
    std::string error;
    if (!OpenStore(folder, store, AState))
        return;
    THistoryBatch batch;
    for (int i = 0; i < 200; ++i)
        batch.Add("veth" + std::to_string(i), LocalBucketKeys(1781258400), 123'456 + i, 7'890 + i);
    batch.Retention = RetentionAt(1781258400);
    for (auto _ : AState) {
        if (store.Write(batch, error) != THistoryFailure::hfNone)
            AState.SkipWithError(error.c_str());
    }
}
BENCHMARK(BM_MinuteWrite200Interfaces)->Unit(benchmark::kMillisecond);

// The report of days over three years for ten interfaces: summed over all, and for one.
void BM_ReportThreeYearsOfDays(benchmark::State& AState)
{
    test::TTempFolder folder("qn-history-bench");
    THistoryStore store;
    std::string error;
    if (!OpenStore(folder, store, AState))
        return;
    THistoryBatch batch;
    for (std::int64_t day = 0; day < 3 * 365; ++day) {
        const TBucketKeys keys = LocalBucketKeys(1781258400 - day * 86400);
        for (int i = 0; i < 10; ++i)
            batch.Add("eth" + std::to_string(i), keys, 1'000'000 + static_cast<std::uint64_t>(day), 1000);
    }
    store.Write(batch, error);
    const bool all = AState.range(0) == 0;
    std::size_t rows = 0;
    for (auto _ : AState) {
        const auto result = store.Query(THistoryPeriod::hpDay, all ? std::string() : std::string("eth3"));
        rows = result.size();
        benchmark::DoNotOptimize(result.data());
    }
    AState.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_ReportThreeYearsOfDays)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The GUI thread's share each second: one read of 200 interfaces, all of them moving.
void BM_SamplePass200Interfaces(benchmark::State& AState)
{
    test::TFakeClock clock;
    clock.Wall = 1781258400;
    TCounters counters;
    THistorySampler sampler(counters, clock);
    std::vector<THistoryInterface> present;
    for (std::uint32_t i = 1; i <= 200; ++i)
        present.push_back({"veth" + std::to_string(i), i});
    int pass = 0;
    for (auto _ : AState) {
        counters.Value += 1500;
        ++clock.Wall;
        sampler.Sample(present);
        if (++pass % 60 == 0)
            benchmark::DoNotOptimize(sampler.TakeBatch());
    }
}
BENCHMARK(BM_SamplePass200Interfaces)->Unit(benchmark::kMicrosecond);

} // namespace
