// The applications layer's once-a-second step: one socket table, the close events, the uplinks.
#pragma once

#include "apptraffic/app_traffic.h"
#include "apptraffic/cgroup_directory.h"
#include "apptraffic/uplink_counters.h"
#include "platform/socket_table.h"

#include <functional>
#include <memory>

namespace qn {

// The sources a step reads; each defaults to the system's. Tests script them.
struct TAppTrafficSources
{
    std::function<int(TSocketTable&)> ReadTable;               // as TSocketTableReader::ReadTable
    std::function<int(std::vector<TSocketClose>&)> ReadCloses; // as TSocketTableReader::ReadCloses
    std::function<TUplinkReading()> ReadUplinks;
    TCgroupDirectory::TWalkFn WalkCgroups;
};

// Owns the readers and the figures. Step costs one drain of the close events, one bulk counter read
// and, when the uplinks moved, one dump of the socket table (two after lost close events); the
// cgroup hierarchy is walked only for an id it does not know, at most every few seconds. Not
// thread-safe: one owner calls Step.
class TAppTrafficMonitor
{
public:
    explicit TAppTrafficMonitor(TAppTrafficSources ASources = {});

    void Step();

    const TAppTraffic& Traffic() const { return FTraffic; }
    // How many table readings were taken (a second one after lost close events counts), and how
    // many steps read none because nothing crossed the uplinks.
    unsigned Tables() const { return FTables; }
    unsigned Skipped() const { return FSkipped; }

    // Whether the layer is switched on: QUARNO_APPS=0 in the environment turns it off (it then
    // reads nothing), for measuring what it costs.
    static bool Enabled();

private:
    std::unique_ptr<TSocketTableReader> FReader;
    TAppTrafficSources FSources;
    TCgroupDirectory FDirectory;
    TAppTraffic FTraffic;
    TUplinkCounters FUplinks;
    TSocketTable FTable;
    std::vector<TSocketClose> FCloses;
    TUplinkReading FLastUplinks;
    unsigned FTables = 0;
    unsigned FSkipped = 0;
    static constexpr std::size_t MaxPendingCloses = 10000;
};

} // namespace qn
