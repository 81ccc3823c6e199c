// The cache of cgroup units and when it is read again.
#include "apptraffic/cgroup_directory.h"

namespace qn {

TCgroupDirectory::TCgroupDirectory(TWalkFn AWalk) : FWalk(std::move(AWalk)) {}

const TUnitIdentity& TCgroupDirectory::Find(std::uint64_t AId, std::uint64_t ANow)
{
    static const TUnitIdentity none;
    auto it = FUnits.find(AId);
    if (it != FUnits.end())
        return it->second;
    if (!FWalked || ANow - FLastWalk >= WalkInterval) {
        Walk(ANow);
        it = FUnits.find(AId);
        if (it != FUnits.end())
            return it->second;
    }
    return none;
}

void TCgroupDirectory::Walk(std::uint64_t ANow)
{
    FWalked = true;
    FLastWalk = ANow;
    ++FWalks;
    std::vector<TCgroupEntry> entries;
    FSupport = FWalk ? FWalk(entries) : TCgroupSupport::csUnsupported;
    // Units of gone cgroups are dropped with them: the map never grows past the hierarchy.
    FUnits.clear();
    for (const TCgroupEntry& entry : entries)
        FUnits[entry.Id] = IdentifyCgroup(entry.Path);
}

} // namespace qn
