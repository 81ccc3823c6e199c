// Interface counters a test sets by hand, with failures on demand and a record of what was read.
#pragma once

#include "netdata/traffic_counter_source.h"
#include "platform/clock.h"

#include <cstdint>
#include <map>

namespace qn::test {

// Values answers the indices it holds; every other index reads Value when the source was made
// with one (a panel's single interface, whatever its index), and fails otherwise (a vanished
// interface). Fail fails every read, FailNext the next that many. A reading is stamped with Clock's
// monotonic time when a clock is set (a fresh kernel read at each call), else it keeps the TimeMs it
// was scripted with.
class TScriptedCounters final : public ITrafficCounterSource
{
public:
    TScriptedCounters() = default;
    explicit TScriptedCounters(TTrafficCounters AValue) : Value(AValue), FAnyIndex(true) {}
    explicit TScriptedCounters(IClock& AClock) : Clock(&AClock) {}
    TScriptedCounters(TTrafficCounters AValue, IClock& AClock) : Value(AValue), Clock(&AClock), FAnyIndex(true) {}

    std::map<std::uint32_t, TTrafficCounters> Values;
    TTrafficCounters Value;
    IClock* Clock = nullptr;
    bool Fail = false;
    int FailNext = 0;
    // The reads so far, the index asked last and the bound asked with it.
    int Reads = 0;
    std::uint32_t LastIntfIdx = 0;
    std::uint64_t LastNotBeforeMs = 0;

    bool ReadCounters(std::uint32_t AIntfIdx, TTrafficCounters& ACounters, std::uint64_t ANotBeforeMs) override;

private:
    bool FAnyIndex = false;
};

} // namespace qn::test
