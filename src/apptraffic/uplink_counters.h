// The uplinks' received and sent octets, summed over the interfaces the history counts as uplinks.
#pragma once

#include "apptraffic/app_traffic.h"
#include "netdata/counter_baseline.h"
#include "platform/interface_facts.h"
#include "platform/link_counters.h"

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

namespace qn {

// Each interface keeps its own baseline (the one counter rule, TCounterBaseline), so an uplink that
// appears or is re-created adds what it moves from then on, never its earlier counts. The interfaces'
// classes are read again when a link comes or goes, or when the default routes, looked at every
// ClassInterval, leave through other links: the classes follow the network's changes, and an
// unchanged network costs one small route read, however many links it has.
class TUplinkCounters
{
public:
    static constexpr std::uint64_t ClassInterval = 10000;
    using TFactsFn = std::function<bool(std::vector<TInterfaceFacts>&)>;
    using TCountersFn = std::function<int(std::vector<TLinkCounters>&)>;
    using TTickFn = std::function<std::uint64_t()>;
    using TRoutesFn = std::function<bool(std::vector<std::uint32_t>&)>;

    // A pass of the shared counter reading taken this long before serves as this moment's: the
    // uplinks and the socket table that follows stay read together, and the list and panels that
    // tick beside the applications do not ask the kernel a second time.
    static constexpr std::uint64_t SharedPassSlackMs = 20;

    // The counters default to the process's shared pass (HostCounterPass).
    TUplinkCounters(TFactsFn AFacts = ReadInterfaceFacts, TCountersFn ACounters = nullptr, TTickFn ATick = nullptr,
                    TRoutesFn ARoutes = ReadDefaultRouteIndexes);

    // The totals since the first reading; not Valid when the counters cannot be read.
    TUplinkReading Read();

private:
    void Classify(std::uint64_t ANow, const std::vector<TLinkCounters>& ACounters);
    bool LinksChanged(const std::vector<TLinkCounters>& ACounters) const;
    bool RoutesMoved(std::uint64_t ANow);

    TFactsFn FFacts;
    TCountersFn FCounters;
    TTickFn FTick;
    TRoutesFn FRoutes;
    std::map<std::uint32_t, bool> FUplink;           // by interface index
    std::map<std::uint32_t, TCounterBaseline> FLast; // by interface index
    std::vector<std::uint32_t> FClassedLinks;  // the counted links' indexes when last classed, as the pass ordered them
    std::vector<std::uint32_t> FClassedRoutes; // the default routes' links then, as ReadDefaultRouteIndexes
    bool FClassified = false;
    std::uint64_t FClassTick = 0;
    std::uint64_t FRouteTick = 0;
    std::uint64_t FIn = 0, FOut = 0;
};

} // namespace qn
