// Cgroup ids to units, from a walk of the cgroup hierarchy kept until an unknown id asks for another.
#pragma once

#include "apptraffic/unit_name.h"
#include "platform/cgroup_tree.h"

#include <cstdint>
#include <functional>
#include <unordered_map>
#include <vector>

namespace qn {

// Owns the cache. A cgroup id that the last walk did not see starts a new walk, at most once per
// WalkInterval of monotonic time, so a flood of new scopes costs one walk every few seconds and a
// socket of a cgroup already gone costs nothing more.
class TCgroupDirectory
{
public:
    using TWalkFn = std::function<TCgroupSupport(std::vector<TCgroupEntry>&)>;
    static constexpr std::uint64_t WalkInterval = 5000;

    // AWalk reads the hierarchy (ReadCgroupTree unless a test gives another).
    explicit TCgroupDirectory(TWalkFn AWalk = ReadCgroupTree);

    // The unit of the cgroup AId at monotonic time ANow; ukNone when it is not known (yet).
    const TUnitIdentity& Find(std::uint64_t AId, std::uint64_t ANow);

    // What the last walk said about the system; csAvailable before the first.
    TCgroupSupport Support() const { return FSupport; }
    // How many walks were made.
    unsigned Walks() const { return FWalks; }

private:
    void Walk(std::uint64_t ANow);

    TWalkFn FWalk;
    std::unordered_map<std::uint64_t, TUnitIdentity> FUnits;
    TCgroupSupport FSupport = TCgroupSupport::csAvailable;
    bool FWalked = false;
    std::uint64_t FLastWalk = 0;
    unsigned FWalks = 0;
};

} // namespace qn
