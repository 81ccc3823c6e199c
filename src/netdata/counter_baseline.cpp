// The baseline keeper: the last reading of an interface and what each new one moved past it.
#include "netdata/counter_baseline.h"

namespace qn {

bool TCounterAdvance::HasRate() const
{
    return Kind == akCounted && SpanMs >= TCounterBaseline::MinRateSpanMs;
}

double TCounterAdvance::RateIn() const
{
    return HasRate() ? static_cast<double>(Step.In) * 1000.0 / static_cast<double>(SpanMs) : 0.0;
}

double TCounterAdvance::RateOut() const
{
    return HasRate() ? static_cast<double>(Step.Out) * 1000.0 / static_cast<double>(SpanMs) : 0.0;
}

TCounterAdvance TCounterBaseline::Take(std::uint32_t AIntfIdx, const TTrafficCounters* AReading)
{
    TCounterAdvance advance;
    if (!AReading || !UsableReading(*AReading)) {
        FHave = false;
        return advance;
    }
    if (FHave && FIntfIdx == AIntfIdx) {
        // The same shared reading again adds nothing and must not become a zero rate; an older one
        // (taken before the baseline) must not become the baseline, or its bytes would count twice.
        const bool same = AReading->TimeMs == FReading.TimeMs && AReading->InOctets == FReading.InOctets &&
                          AReading->OutOctets == FReading.OutOctets && AReading->Wide == FReading.Wide;
        if (same || AReading->TimeMs < FReading.TimeMs) {
            advance.Kind = TCounterAdvance::akSame;
            return advance;
        }
        advance.Kind = TCounterAdvance::akCounted;
        advance.Step = CounterDifference(FReading, *AReading);
        advance.SpanMs = AReading->TimeMs - FReading.TimeMs;
    }
    FReading = *AReading;
    FIntfIdx = AIntfIdx;
    FHave = true;
    return advance;
}

} // namespace qn
