// Whole kernel tables read by rtnetlink dumps, retried when the kernel reports them cut or changed.
#include "platform/linux/kernel_tables.h"

#include <algorithm>
#include <cerrno>
#include <libmnl/libmnl.h>
#include <linux/if_link.h>
#include <linux/neighbour.h>
#include <linux/rtnetlink.h>
#include <sys/socket.h>

namespace qn::linux_ip {

namespace {

template <typename THeader, typename TRecord, typename TParse>
int Dump(std::uint16_t AType, std::uint8_t AFamily, std::vector<TRecord>& ARecords, TParse AParse)
{
    ARecords.clear();
    nl::TNetlinkSocket* socket = nl::ThreadSocket();
    if (!socket)
        return -ENOTSOCK;
    alignas(nlmsghdr) unsigned char request[NLMSG_SPACE(sizeof(THeader)) + 64] = {};
    nlmsghdr* msg = mnl_nlmsg_put_header(request);
    msg->nlmsg_type = AType;
    msg->nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
    auto* header = static_cast<unsigned char*>(mnl_nlmsg_put_extra_header(msg, sizeof(THeader)));
    header[0] = AFamily; // every rtnetlink family header starts with its address family
    // With no filter bit the kernel fills each dump datagram to a fixed size, and a link too large
    // for it (hundreds of alternative names) ends the dump with EMSGSIZE. Any bit makes it size them
    // for the largest link; this one concerns bridge VLAN lists, which these messages never carry.
    if (AType == RTM_GETLINK)
        mnl_attr_put_u32(msg, IFLA_EXT_MASK, RTEXT_FILTER_BRVLAN_COMPRESSED);
    // A table that changed during the dump is marked inconsistent, and a dump cut short (a link too
    // large for the kernel's buffer, a datagram lost to a full socket buffer) fails: read it again, a
    // few times at most. A dump that still fails is an error, never a short table.
    int result = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        ARecords.clear();
        bool interrupted = false;
        auto visit = [&](const nlmsghdr* AMsg) {
            interrupted = interrupted || (AMsg->nlmsg_flags & NLM_F_DUMP_INTR) != 0;
            TRecord record;
            if (AParse(AMsg, record))
                ARecords.push_back(record);
            return true;
        };
        result = socket->Exchange(msg, visit);
        const bool cut = result == -EMSGSIZE || result == -ENOBUFS;
        if ((result < 0 && !cut) || (result == 0 && !interrupted))
            break;
    }
    if (result < 0)
        ARecords.clear();
    return result;
}

int DumpLinks(std::vector<nl::TLinkInfo>& ALinks)
{
    const int result = Dump<ifinfomsg>(RTM_GETLINK, AF_UNSPEC, ALinks, nl::ParseLink);
    std::stable_sort(ALinks.begin(), ALinks.end(),
                     [](const nl::TLinkInfo& a, const nl::TLinkInfo& b) { return a.Index < b.Index; });
    return result;
}

int DumpAddrs(std::vector<nl::TAddrInfo>& AAddrs)
{
    return Dump<ifaddrmsg>(RTM_GETADDR, AF_INET, AAddrs, nl::ParseAddr);
}

int DumpDefaultRoutes(std::vector<nl::TRouteInfo>& ARoutes)
{
    const int result = Dump<rtmsg>(RTM_GETROUTE, AF_INET, ARoutes, nl::ParseRoute);
    std::erase_if(ARoutes, [](const nl::TRouteInfo& r) {
        return r.DstLength != 0 || r.Table != RT_TABLE_MAIN || r.Type != RTN_UNICAST;
    });
    std::stable_sort(ARoutes.begin(), ARoutes.end(),
                     [](const nl::TRouteInfo& a, const nl::TRouteInfo& b) { return a.Priority < b.Priority; });
    return result;
}

// The scan's table, dumped on first use.
template <typename TRecord, typename TDump>
int ScanTable(bool& AHave, int& AResult, std::vector<TRecord>& ATable, TDump ADump)
{
    if (!AHave) {
        AResult = ADump(ATable);
        AHave = true;
    }
    return AResult;
}

} // namespace

const nl::TLinkInfo* FindLink(const std::vector<nl::TLinkInfo>& ALinks, std::uint32_t AIndex)
{
    const auto it =
        std::lower_bound(ALinks.begin(), ALinks.end(), AIndex,
                         [](const nl::TLinkInfo& ALink, std::uint32_t AValue) { return ALink.Index < AValue; });
    return it != ALinks.end() && it->Index == AIndex ? &*it : nullptr;
}

int ReadLinks(std::vector<nl::TLinkInfo>& ALinks)
{
    if (TScanTables* scan = CurrentScan()) {
        const int result = ScanTable(scan->HaveLinks, scan->LinksResult, scan->System.Links, DumpLinks);
        ALinks = scan->System.Links;
        return result;
    }
    return DumpLinks(ALinks);
}

int ReadAddrs(std::vector<nl::TAddrInfo>& AAddrs)
{
    if (TScanTables* scan = CurrentScan()) {
        const int result = ScanTable(scan->HaveAddrs, scan->AddrsResult, scan->System.Addrs, DumpAddrs);
        AAddrs = scan->System.Addrs;
        return result;
    }
    return DumpAddrs(AAddrs);
}

int ReadDefaultRoutes(std::vector<nl::TRouteInfo>& ARoutes)
{
    if (TScanTables* scan = CurrentScan()) {
        const int result =
            ScanTable(scan->HaveRoutes, scan->RoutesResult, scan->System.DefaultRoutes, DumpDefaultRoutes);
        ARoutes = scan->System.DefaultRoutes;
        return result;
    }
    return DumpDefaultRoutes(ARoutes);
}

int ReadSystem(TKernelTables& AOwn, bool AWithRoutes, const TKernelTables*& ASystem)
{
    if (TScanTables* scan = CurrentScan()) {
        ASystem = &scan->System;
        int result = ScanTable(scan->HaveLinks, scan->LinksResult, scan->System.Links, DumpLinks);
        if (result == 0)
            result = ScanTable(scan->HaveAddrs, scan->AddrsResult, scan->System.Addrs, DumpAddrs);
        if (result == 0 && AWithRoutes)
            result = ScanTable(scan->HaveRoutes, scan->RoutesResult, scan->System.DefaultRoutes, DumpDefaultRoutes);
        if (result < 0)
            ASystem = &AOwn; // a failed table is never handed out, as without a scan
        return result;
    }
    ASystem = &AOwn;
    int result = DumpLinks(AOwn.Links);
    if (result == 0)
        result = DumpAddrs(AOwn.Addrs);
    if (result == 0 && AWithRoutes)
        result = DumpDefaultRoutes(AOwn.DefaultRoutes);
    return result;
}

int ReadNeighbours(std::vector<nl::TNeighInfo>& ANeighbours)
{
    const auto dump = [](std::vector<nl::TNeighInfo>& ATable) {
        return Dump<ndmsg>(RTM_GETNEIGH, AF_INET, ATable, nl::ParseNeigh);
    };
    if (TScanTables* scan = CurrentScan()) {
        const int result = ScanTable(scan->HaveNeighbours, scan->NeighboursResult, scan->Neighbours, dump);
        ANeighbours = scan->Neighbours;
        return result;
    }
    return dump(ANeighbours);
}

} // namespace qn::linux_ip
