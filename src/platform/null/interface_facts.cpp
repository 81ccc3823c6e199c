// Without a port there are no interfaces to class.
#include "platform/interface_facts.h"

namespace qn {

bool ReadInterfaceFacts(std::vector<TInterfaceFacts>& AFacts)
{
    AFacts.clear();
    return true;
}

bool ReadDefaultRouteIndexes(std::vector<std::uint32_t>& AIndexes)
{
    AIndexes.clear();
    return true;
}

} // namespace qn
