// One read of every interface with the panels' counter rules.
#include "history/history_sampler.h"

#include "netdata/counter_difference.h"

#include <iterator>

namespace qn {

THistorySampler::THistorySampler(ITrafficCounterSource& ASource, IClock& AClock) : FSource(ASource), FClock(AClock) {}

void THistorySampler::Sample(const std::vector<THistoryInterface>& APresent)
{
    ++FPass;
    const std::int64_t now = FClock.UnixTime();
    TBucketKeys keys;
    bool haveKeys = false;
    for (const THistoryInterface& intf : APresent) {
        TBaseline& base = FBaselines[intf.Name];
        if (base.Pass + 1 != FPass || base.IntfIdx != intf.IntfIdx)
            base.Have = false; // absent from the last pass, or another link under this name
        base.Pass = FPass;
        base.IntfIdx = intf.IntfIdx;
        TTrafficCounters c;
        if (!FSource.ReadCounters(intf.IntfIdx, c) || !UsableReading(c)) {
            base.Have = false;
            continue;
        }
        if (base.Have) {
            const TCounterStep step = CounterDifference({base.In, base.Out, base.Wide}, c);
            const std::uint64_t down = step.In;
            const std::uint64_t up = step.Out;
            if (down != 0 || up != 0) {
                if (!haveKeys) {
                    keys = LocalBucketKeys(now);
                    haveKeys = true;
                }
                FBatch.Add(intf.Name, keys, down, up);
            }
        }
        base.In = c.InOctets;
        base.Out = c.OutOctets;
        base.Wide = c.Wide;
        base.Have = true;
    }
    // Names gone for a whole pass are forgotten, so a host that makes and drops a veth per
    // container does not grow this map without end.
    for (auto it = FBaselines.begin(); it != FBaselines.end();)
        it = it->second.Pass != FPass ? FBaselines.erase(it) : std::next(it);
}

THistoryBatch THistorySampler::TakeBatch()
{
    THistoryBatch batch = std::move(FBatch);
    FBatch = THistoryBatch{};
    batch.Retention = RetentionAt(FClock.UnixTime());
    return batch;
}

} // namespace qn
