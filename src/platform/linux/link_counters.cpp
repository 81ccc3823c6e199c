// All links' 64-bit octet counters in one rtnetlink statistics dump (RTM_GETSTATS).
#include "platform/link_counters.h"

#include "platform/linux/netlink.h"

#include <algorithm>
#include <cerrno>
#include <libmnl/libmnl.h>
#include <linux/if_link.h>
#include <linux/rtnetlink.h>

namespace qn {

int ReadLinkCounters(std::vector<TLinkCounters>& ACounters)
{
    ACounters.clear();
    nl::TNetlinkSocket* socket = nl::ThreadSocket();
    if (!socket)
        return -1;
    alignas(nlmsghdr) unsigned char request[NLMSG_SPACE(sizeof(if_stats_msg))] = {};
    nlmsghdr* msg = mnl_nlmsg_put_header(request);
    msg->nlmsg_type = RTM_GETSTATS;
    msg->nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
    auto* header = static_cast<if_stats_msg*>(mnl_nlmsg_put_extra_header(msg, sizeof(if_stats_msg)));
    header->family = AF_UNSPEC;
    // Only the 64-bit link record: about 200 bytes a link.
    header->filter_mask = IFLA_STATS_FILTER_BIT(IFLA_STATS_LINK_64);
    // A dump that the kernel marks as changed under it (a link came or went) is read again, a few
    // times at most; the last one is used, since a pass only needs each link's own counters.
    int result = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        ACounters.clear();
        bool interrupted = false;
        auto visit = [&](const nlmsghdr* AMsg) {
            interrupted = interrupted || (AMsg->nlmsg_flags & NLM_F_DUMP_INTR) != 0;
            nl::TStatsInfo stats;
            if (nl::ParseStats(AMsg, stats))
                ACounters.push_back({stats.Index, stats.RxBytes, stats.TxBytes});
            return true;
        };
        result = socket->Exchange(msg, visit);
        const bool cut = result == -EMSGSIZE || result == -ENOBUFS;
        if ((result < 0 && !cut) || (result == 0 && !interrupted))
            break;
    }
    if (result == -EOPNOTSUPP || result == -EINVAL) {
        // A kernel without the request (before 4.7).
        ACounters.clear();
        return 0;
    }
    if (result < 0) {
        ACounters.clear();
        return -1;
    }
    std::sort(ACounters.begin(), ACounters.end(),
              [](const TLinkCounters& a, const TLinkCounters& b) { return a.Index < b.Index; });
    return 1;
}

} // namespace qn
