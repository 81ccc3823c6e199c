// The scripted counters: a failure asked for first, then the index's own reading, then the shared one.
#include "support/scripted_counters.h"

namespace qn::test {

bool TScriptedCounters::ReadCounters(std::uint32_t AIntfIdx, TTrafficCounters& ACounters)
{
    ++Reads;
    LastIntfIdx = AIntfIdx;
    ACounters = TTrafficCounters{};
    if (FailNext > 0) {
        --FailNext;
        return false;
    }
    if (Fail)
        return false;
    if (const auto it = Values.find(AIntfIdx); it != Values.end()) {
        ACounters = it->second;
        return true;
    }
    if (!FAnyIndex)
        return false;
    ACounters = Value;
    return true;
}

} // namespace qn::test
