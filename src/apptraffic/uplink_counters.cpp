// The uplinks' octets through the bulk counter read and the history's interface classes.
#include "apptraffic/uplink_counters.h"

#include "history/interface_class.h"
#include "netdata/traffic_counter_pass.h"
#include "platform/clock.h"

#include <algorithm>

namespace qn {

TUplinkCounters::TUplinkCounters(TFactsFn AFacts, TCountersFn ACounters, TTickFn ATick, TRoutesFn ARoutes)
    : FFacts(std::move(AFacts)), FCounters(std::move(ACounters)), FTick(std::move(ATick)), FRoutes(std::move(ARoutes))
{
    if (!FTick)
        FTick = [] { return GetTickCount64(); };
    if (!FCounters)
        FCounters = [](std::vector<TLinkCounters>& ACounters) {
            TTrafficCounterPass& pass = HostCounterPass();
            const std::uint64_t now = GetTickCount64();
            return pass.ReadAll(ACounters, now > SharedPassSlackMs ? now - SharedPassSlackMs : 0);
        };
}

void TUplinkCounters::Classify(std::uint64_t ANow, const std::vector<TLinkCounters>& ACounters)
{
    FClassified = true;
    FClassTick = ANow;
    FRouteTick = ANow;
    FClassedLinks.clear();
    for (const TLinkCounters& c : ACounters)
        FClassedLinks.push_back(c.Index);
    std::vector<TInterfaceFacts> facts;
    if (!FFacts || !FFacts(facts))
        return;
    const std::map<std::string, TInterfaceClass> classes = ClassifyInterfaces(facts);
    FUplink.clear();
    FClassedRoutes.clear();
    for (const TInterfaceFacts& f : facts) {
        const auto it = classes.find(f.Name);
        FUplink[f.Index] = it != classes.end() && IsUplink(it->second) && it->second != TInterfaceClass::icUnknown;
        if (f.DefaultRoute)
            FClassedRoutes.push_back(f.Index);
    }
    std::sort(FClassedRoutes.begin(), FClassedRoutes.end());
}

bool TUplinkCounters::LinksChanged(const std::vector<TLinkCounters>& ACounters) const
{
    // In the pass's own order (by index): a set that changed never compares equal, and the tick
    // allocates nothing.
    return !std::equal(ACounters.begin(), ACounters.end(), FClassedLinks.begin(), FClassedLinks.end(),
                       [](const TLinkCounters& ACounter, std::uint32_t AIndex) { return ACounter.Index == AIndex; });
}

bool TUplinkCounters::RoutesMoved(std::uint64_t ANow)
{
    if (ANow - FRouteTick < ClassInterval)
        return false;
    FRouteTick = ANow;
    std::vector<std::uint32_t> routes;
    return FRoutes && FRoutes(routes) && routes != FClassedRoutes;
}

TUplinkReading TUplinkCounters::Read()
{
    TUplinkReading reading;
    reading.Tick = FTick();
    std::vector<TLinkCounters> counters;
    if (!FCounters || FCounters(counters) != 1)
        return reading;
    // A link that came after the facts were read is looked up again on the next tick.
    bool unknown = false;
    for (const TLinkCounters& c : counters)
        unknown = unknown || !FUplink.count(c.Index);
    if (!FClassified || LinksChanged(counters) || (unknown && reading.Tick != FClassTick) || RoutesMoved(reading.Tick))
        Classify(reading.Tick, counters);
    // Each uplink through the one counter rule, with the pass's time.
    std::map<std::uint32_t, TCounterBaseline> last;
    for (const TLinkCounters& c : counters) {
        const auto up = FUplink.find(c.Index);
        if (up == FUplink.end() || !up->second)
            continue;
        TCounterBaseline& base = last[c.Index];
        if (const auto before = FLast.find(c.Index); before != FLast.end())
            base = before->second;
        const TTrafficCounters now{c.InOctets, c.OutOctets, true, reading.Tick};
        const TCounterAdvance advance = base.Take(c.Index, &now);
        if (advance.Counted()) {
            FIn += advance.Step.In;
            FOut += advance.Step.Out;
        }
    }
    FLast = std::move(last);
    reading.Valid = true;
    reading.In = FIn;
    reading.Out = FOut;
    return reading;
}

} // namespace qn
