// The one keeper of the counter difference rule's state: the last reading of an interface, with its time.
#pragma once

#include "netdata/counter_difference.h"
#include "netdata/traffic_counter_source.h"

#include <cstdint>

namespace qn {

// What one new reading moved past the baseline.
struct TCounterAdvance
{
    enum TKind
    {
        akNone,    // no baseline to count from: this reading (if usable) is the new baseline
        akSame,    // the baseline itself again, or an older reading: nothing moved, the last rate stands
        akCounted, // Step moved in SpanMs between the two readings (0: within the same millisecond)
    };
    TKind Kind = akNone;
    TCounterStep Step;
    std::uint64_t SpanMs = 0;

    bool Counted() const { return Kind == akCounted; }
    // Whether the two readings lie far enough apart to give a rate (TCounterBaseline::MinRateSpanMs):
    // a shorter span counts its bytes, and the last rate stands.
    bool HasRate() const;
    // Bytes per second over the span between the two readings (0 without a rate).
    double RateIn() const;
    double RateOut() const;
};

// Keeps the last usable reading of one interface, the index it was read from and its time, and
// applies CounterDifference to each new reading: a failed or unusable reading drops the baseline; a
// reading of another index (another link) starts a new one; the baseline handed out again (a shared
// reading) or an older reading counts nothing and keeps it. A rate is always the bytes between two
// readings over the time between those same two readings, whoever took them.
class TCounterBaseline
{
public:
    // A rate over a much shorter span than a tick is mostly the burstiness of the traffic (a wake
    // handled just before a tick, a tick that catches up): it gives no rate. Readers that show rates
    // ask their source for a reading at least this much newer than the baseline (NotBeforeMs), which
    // a reader ticking once a second meets with the pass it shares.
    static constexpr std::uint64_t MinRateSpanMs = 900;

    // Takes AReading of the interface AIntfIdx; null when the read failed.
    TCounterAdvance Take(std::uint32_t AIntfIdx, const TTrafficCounters* AReading);
    // Forgets the baseline: the next reading is a new one and counts nothing.
    void Drop() { FHave = false; }

    bool Have() const { return FHave; }
    std::uint32_t IntfIdx() const { return FIntfIdx; }
    // The baseline reading (cleared while there is none).
    TTrafficCounters Reading() const { return FHave ? FReading : TTrafficCounters{}; }
    // The earliest reading time a rate should be taken at: the baseline's time plus MinRateSpanMs,
    // 0 without a baseline.
    std::uint64_t NotBeforeMs() const { return FHave ? FReading.TimeMs + MinRateSpanMs : 0; }

private:
    TTrafficCounters FReading;
    std::uint32_t FIntfIdx = 0;
    bool FHave = false;
};

} // namespace qn
