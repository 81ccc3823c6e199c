// No cgroups on a system without a port (nor on Windows, which uses this file as well).
#include "platform/cgroup_tree.h"

namespace qn {

TCgroupSupport ReadCgroupTree(std::vector<TCgroupEntry>& AEntries)
{
    AEntries.clear();
    return TCgroupSupport::csUnsupported;
}

} // namespace qn
