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

} // namespace

int ReadLinks(std::vector<nl::TLinkInfo>& ALinks)
{
    const int result = Dump<ifinfomsg>(RTM_GETLINK, AF_UNSPEC, ALinks, nl::ParseLink);
    std::stable_sort(ALinks.begin(), ALinks.end(),
                     [](const nl::TLinkInfo& a, const nl::TLinkInfo& b) { return a.Index < b.Index; });
    return result;
}

int ReadAddrs(std::vector<nl::TAddrInfo>& AAddrs)
{
    return Dump<ifaddrmsg>(RTM_GETADDR, AF_INET, AAddrs, nl::ParseAddr);
}

int ReadDefaultRoutes(std::vector<nl::TRouteInfo>& ARoutes)
{
    const int result = Dump<rtmsg>(RTM_GETROUTE, AF_INET, ARoutes, nl::ParseRoute);
    std::erase_if(ARoutes, [](const nl::TRouteInfo& r) {
        return r.DstLength != 0 || r.Table != RT_TABLE_MAIN || r.Type != RTN_UNICAST;
    });
    std::stable_sort(ARoutes.begin(), ARoutes.end(),
                     [](const nl::TRouteInfo& a, const nl::TRouteInfo& b) { return a.Priority < b.Priority; });
    return result;
}

int ReadSystem(TKernelTables& ASystem, bool AWithRoutes)
{
    int result = ReadLinks(ASystem.Links);
    if (result == 0)
        result = ReadAddrs(ASystem.Addrs);
    if (result == 0 && AWithRoutes)
        result = ReadDefaultRoutes(ASystem.DefaultRoutes);
    return result;
}

int ReadNeighbours(std::vector<nl::TNeighInfo>& ANeighbours)
{
    return Dump<ndmsg>(RTM_GETNEIGH, AF_INET, ANeighbours, nl::ParseNeigh);
}

} // namespace qn::linux_ip
