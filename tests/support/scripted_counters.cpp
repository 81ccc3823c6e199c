// The scripted counters: a failure asked for first, then the index's own reading, then the shared one.
#include "support/scripted_counters.h"

namespace qn::test {

bool TScriptedCounters::ReadCounters(std::uint32_t AIntfIdx, TTrafficCounters& ACounters, std::uint64_t ANotBeforeMs)
{
    ++Reads;
    LastIntfIdx = AIntfIdx;
    LastNotBeforeMs = ANotBeforeMs;
    ACounters = TTrafficCounters{};
    if (FailNext > 0) {
        --FailNext;
        return false;
    }
    if (Fail)
        return false;
    if (const auto it = Values.find(AIntfIdx); it != Values.end())
        ACounters = it->second;
    else if (FAnyIndex)
        ACounters = Value;
    else
        return false;
    if (Clock)
        ACounters.TimeMs = Clock->TickCount();
    return true;
}

} // namespace qn::test
