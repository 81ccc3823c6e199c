// The counter difference rule.
#include "netdata/counter_difference.h"

namespace qn {

namespace {

std::uint64_t Difference(std::uint64_t ABaseline, std::uint64_t ACurrent, bool AWide)
{
    if (!AWide)
        return (ACurrent - ABaseline) & 0xFFFFFFFFu;
    return ACurrent >= ABaseline ? ACurrent - ABaseline : 0;
}

} // namespace

bool UsableReading(const TTrafficCounters& AReading)
{
    return AReading.Wide || AReading.InOctets != 0 || AReading.OutOctets != 0;
}

TCounterStep CounterDifference(const TTrafficCounters& ABaseline, const TTrafficCounters& AReading)
{
    if (ABaseline.Wide != AReading.Wide)
        return {};
    return {Difference(ABaseline.InOctets, AReading.InOctets, AReading.Wide),
            Difference(ABaseline.OutOctets, AReading.OutOctets, AReading.Wide)};
}

} // namespace qn
