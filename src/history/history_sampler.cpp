// One read of every interface with the panels' counter rules.
#include "history/history_sampler.h"

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
        TNamedBaseline& base = FBaselines[intf.Name];
        if (base.Pass + 1 != FPass)
            base.Counters.Drop(); // absent from the last pass: what moved meanwhile is not known
        base.Pass = FPass;
        TTrafficCounters c;
        const bool read = FSource.ReadCounters(intf.IntfIdx, c, 0);
        const TCounterAdvance advance = base.Counters.Take(intf.IntfIdx, read ? &c : nullptr);
        if (advance.Counted() && (advance.Step.In != 0 || advance.Step.Out != 0)) {
            if (!haveKeys) {
                keys = LocalBucketKeys(now);
                haveKeys = true;
            }
            FBatch.Add(intf.Name, keys, advance.Step.In, advance.Step.Out);
        }
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
