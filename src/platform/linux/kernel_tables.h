// Whole kernel tables for the provider's enumeration functions (internal to platform/linux).
#pragma once

#include "platform/linux/netlink.h"

#include <cstdint>
#include <map>
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

// One reading of the tables shared by the calls made inside a TInterfaceScan: each table is dumped
// the first time a call needs it; its result code is kept with it.
struct TScanTables
{
    TKernelTables System;
    std::vector<nl::TNeighInfo> Neighbours;
    int LinksResult = 0, AddrsResult = 0, RoutesResult = 0, NeighboursResult = 0;
    bool HaveLinks = false, HaveAddrs = false, HaveRoutes = false, HaveNeighbours = false;
    // Route look-ups of this scan: destination (network order) to the kernel's answer.
    std::map<std::uint32_t, std::pair<int, std::uint32_t>> BestInterfaces;
};

// The calling thread's scan, or null when none is open.
TScanTables* CurrentScan();

// Links by index.
int ReadLinks(std::vector<nl::TLinkInfo>& ALinks);
// The link with AIndex in a table sorted by index, or null.
const nl::TLinkInfo* FindLink(const std::vector<nl::TLinkInfo>& ALinks, std::uint32_t AIndex);
// IPv4 addresses in the kernel's order.
int ReadAddrs(std::vector<nl::TAddrInfo>& AAddrs);
// The IPv4 unicast default routes of the main table, by priority.
int ReadDefaultRoutes(std::vector<nl::TRouteInfo>& ARoutes);
// Links and addresses, and the default routes when AWithRoutes: ASystem points at the tables, which
// are AOwn's, or the open scan's (read at most once per scan).
int ReadSystem(TKernelTables& AOwn, bool AWithRoutes, const TKernelTables*& ASystem);
// The IPv4 neighbour (ARP) entries.
int ReadNeighbours(std::vector<nl::TNeighInfo>& ANeighbours);

} // namespace qn::linux_ip
