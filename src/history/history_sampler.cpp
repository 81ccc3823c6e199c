// One read of every interface with the panels' counter rules.
#include "history/history_sampler.h"

#include <iterator>

namespace qn {

namespace {

std::uint64_t Difference(std::uint64_t ACurrent, std::uint64_t ABaseline, bool AWide)
{
    if (!AWide)
        return (ACurrent - ABaseline) & 0xFFFFFFFFu;         // one wrap of a 32-bit counter is absorbed
    return ACurrent >= ABaseline ? ACurrent - ABaseline : 0; // a drop is a reset
}

} // namespace

THistorySampler::THistorySampler(ITrafficCounterSource& ASource, IHistoryClock& AClock)
    : FSource(ASource), FClock(AClock)
{
}

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
        // A 32-bit pair that reads 0 and 0 is taken for a failed read, as on the panels: a drop
        // to zero would otherwise count as a wrap of almost 4 GiB. A 64-bit pair at zero is a new
        // link whose first traffic must count.
        if (!FSource.ReadCounters(intf.IntfIdx, c) || (!c.Wide && c.InOctets == 0 && c.OutOctets == 0)) {
            base.Have = false;
            continue;
        }
        if (base.Have && base.Wide == c.Wide) {
            const std::uint64_t down = Difference(c.InOctets, base.In, c.Wide);
            const std::uint64_t up = Difference(c.OutOctets, base.Out, c.Wide);
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
