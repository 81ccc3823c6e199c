// Interface counters a test sets by hand, with failures on demand and a record of what was read.
#pragma once

#include "netdata/traffic_counter_source.h"

#include <cstdint>
#include <map>

namespace qn::test {

// Values answers the indices it holds; every other index reads Value when the source was made
// with one (a panel's single interface, whatever its index), and fails otherwise (a vanished
// interface). Fail fails every read, FailNext the next that many.
class TScriptedCounters final : public ITrafficCounterSource
{
public:
    TScriptedCounters() = default;
    explicit TScriptedCounters(TTrafficCounters AValue) : Value(AValue), FAnyIndex(true) {}

    std::map<std::uint32_t, TTrafficCounters> Values;
    TTrafficCounters Value;
    bool Fail = false;
    int FailNext = 0;
    // The reads so far and the index asked last.
    int Reads = 0;
    std::uint32_t LastIntfIdx = 0;

    bool ReadCounters(std::uint32_t AIntfIdx, TTrafficCounters& ACounters) override;

private:
    bool FAnyIndex = false;
};

} // namespace qn::test
