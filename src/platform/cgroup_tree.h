// The cgroup v2 hierarchy's directories and their ids, which name the units that made a socket.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qn {

// One cgroup directory: its id (the inode number of its directory) and path below the hierarchy's root.
struct TCgroupEntry
{
    std::uint64_t Id = 0;
    std::string Path; // "/user.slice/user-1000.slice/.../app-gnome-firefox-4242.scope"
};

// Why per-application attribution may be impossible on this system.
enum class TCgroupSupport : std::uint8_t
{
    csAvailable = 0,
    csNoHierarchy = 1, // no cgroup v2 mount
    csUnsupported = 2, // a system without cgroups or without socket tables
};

// Lists every directory of the cgroup v2 hierarchy (found in the mount table on first use). Fills
// AEntries (the root is "/"); returns csNoHierarchy when there is no cgroup v2 mount, csUnsupported
// where the system has no such thing. Costs one directory walk; callers cache it.
TCgroupSupport ReadCgroupTree(std::vector<TCgroupEntry>& AEntries);

} // namespace qn
