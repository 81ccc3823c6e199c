// No bulk counter request: readers fall back to the interface rows.
#include "platform/link_counters.h"

namespace qn {

int ReadLinkCounters(std::vector<TLinkCounters>& ACounters)
{
    ACounters.clear();
    return 0;
}

} // namespace qn
