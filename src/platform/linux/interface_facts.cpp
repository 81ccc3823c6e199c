// Interface facts from one rtnetlink link dump, the default routes and sysfs device links.
#include "platform/interface_facts.h"

#include "platform/linux/kernel_tables.h"

#include <algorithm>
#include <net/if.h>
#include <sys/stat.h>

namespace qn {

bool ReadInterfaceFacts(std::vector<TInterfaceFacts>& AFacts)
{
    AFacts.clear();
    std::vector<nl::TLinkInfo> links;
    std::vector<std::uint32_t> routeLinks;
    if (linux_ip::ReadLinks(links) != 0)
        return false;
    // Without the routes the links are still classed by what they are; only the default-route
    // rule is lost for this read.
    if (!ReadDefaultRouteIndexes(routeLinks))
        routeLinks.clear();
    AFacts.reserve(links.size());
    for (const nl::TLinkInfo& link : links) {
        TInterfaceFacts facts;
        facts.Name = link.Name;
        facts.Index = link.Index;
        facts.ArpType = link.ArpType;
        facts.Kind = link.Kind;
        facts.Loopback = (link.Flags & IFF_LOOPBACK) != 0;
        // Newer kernels name the parent device in the link message; older ones only in sysfs,
        // where /sys/class/net/IF/device is a link to it. A software link (it has a kind: veth,
        // bridge, vlan ...) never has a device, so hundreds of container links cost no look-up.
        facts.HasDevice = link.HasParentDevice;
        if (!facts.HasDevice && facts.Kind.empty() && !facts.Name.empty()) {
            struct stat st
            {
            };
            const std::string device = "/sys/class/net/" + facts.Name + "/device";
            facts.HasDevice = lstat(device.c_str(), &st) == 0;
        }
        facts.DefaultRoute = std::binary_search(routeLinks.begin(), routeLinks.end(), link.Index);
        AFacts.push_back(std::move(facts));
    }
    return true;
}

bool ReadDefaultRouteIndexes(std::vector<std::uint32_t>& AIndexes)
{
    AIndexes.clear();
    std::vector<nl::TRouteInfo> routes;
    if (linux_ip::ReadDefaultRoutes(routes) != 0)
        return false;
    for (const nl::TRouteInfo& route : routes)
        for (std::uint32_t h = 0; h < route.HopCount && h < std::size(route.Hops); ++h)
            AIndexes.push_back(route.Hops[h].Ifindex);
    std::sort(AIndexes.begin(), AIndexes.end());
    AIndexes.erase(std::unique(AIndexes.begin(), AIndexes.end()), AIndexes.end());
    return true;
}

} // namespace qn
