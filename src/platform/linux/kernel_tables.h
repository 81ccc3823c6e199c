// Whole kernel tables for the provider's enumeration functions (internal to platform/linux).
#pragma once

#include "platform/linux/netlink.h"

#include <vector>

namespace qn::linux_ip {

// Each reader returns 0, or a negative errno with its list empty: a dump that the kernel keeps
// cutting short or changing is read again a few times, and never given back as a short table.

struct TKernelTables
{
    std::vector<nl::TLinkInfo> Links; // by index
    std::vector<nl::TAddrInfo> Addrs; // in the kernel's order
    std::vector<nl::TRouteInfo> DefaultRoutes;
};

// Links by index.
int ReadLinks(std::vector<nl::TLinkInfo>& ALinks);
// IPv4 addresses in the kernel's order.
int ReadAddrs(std::vector<nl::TAddrInfo>& AAddrs);
// The IPv4 unicast default routes of the main table, by priority.
int ReadDefaultRoutes(std::vector<nl::TRouteInfo>& ARoutes);
// Links and addresses, and the default routes when AWithRoutes.
int ReadSystem(TKernelTables& ASystem, bool AWithRoutes);
// The IPv4 neighbour (ARP) entries.
int ReadNeighbours(std::vector<nl::TNeighInfo>& ANeighbours);

} // namespace qn::linux_ip
