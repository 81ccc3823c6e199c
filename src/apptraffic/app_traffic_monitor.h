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
    // As TSocketTableReader::ReadSockets and ReadOpenCount. Defaults to the system's only when
    // ReadTable does: a scripted table without them is read whole at every step.
    std::function<int(const std::vector<TSocketKey>&, TSocketTable&)> ReadSockets;
    std::function<int(std::uint64_t&)> ReadOpenCount;
};

// Owns the readers and the figures. Step costs one drain of the close events, one bulk counter read
// and, when the uplinks moved, a reading of the sockets: a look at the sockets that moved bytes in
// the last minute, one request each, while no connection was opened since the last whole table,
// that table is recent and the look accounts for what crossed the uplinks (but for the headers and
// the traffic no socket accounted for at the last whole table: UDP, other protocols, containers);
// else one dump of the whole table (two after lost close events), which walks all the kernel's
// connections. The cgroup hierarchy is walked only for an id it does not know, at most every few
// seconds. Not thread-safe: one owner calls Step.
class TAppTrafficMonitor
{
public:
    explicit TAppTrafficMonitor(TAppTrafficSources ASources = {});

    void Step();

    const TAppTraffic& Traffic() const { return FTraffic; }
    // How many whole tables were read (a second one after lost close events counts), how many
    // steps looked at the busy sockets only, and how many read none because nothing crossed the
    // uplinks.
    unsigned Tables() const { return FTables; }
    unsigned Looks() const { return FLooks; }
    unsigned Skipped() const { return FSkipped; }

    // A whole table at least this often while traffic flows, so that bytes a look missed reach
    // their application soon and a socket whose close never came is forgotten.
    static constexpr std::uint64_t WholeTableIntervalMs = 10000;
    // A socket is looked at while it moved bytes this recently.
    static constexpr std::uint64_t BusyWindowMs = 60000;
    // Above this many busy sockets one dump costs less than a request each.
    static constexpr std::size_t MaxLooks = 256;
    // The uplinks' bytes a look may leave unexplained beyond an eighth for the headers and half as
    // much again as no socket explained at the last whole table: a few packets (a name lookup, a
    // neighbour's query).
    static constexpr std::uint64_t UnexplainedAllowance = 4096;

    // Whether the layer is switched on: QUARNO_APPS=0 in the environment turns it off (it then
    // reads nothing), for measuring what it costs.
    static bool Enabled();

private:
    bool Look(const TUplinkReading& AUplinks);
    bool Explained(const TUplinkReading& AUplinks) const;
    bool ReadWholeTable(const TUplinkReading& AUplinks, int ACloses);

    std::unique_ptr<TSocketTableReader> FReader;
    TAppTrafficSources FSources;
    TCgroupDirectory FDirectory;
    TAppTraffic FTraffic;
    TUplinkCounters FUplinks;
    TSocketTable FTable;
    std::vector<TSocketClose> FCloses;
    TUplinkReading FLastUplinks;
    unsigned FTables = 0;
    unsigned FLooks = 0;
    unsigned FSkipped = 0;
    std::uint64_t FWholeTick = 0; // the uplinks' tick at the last whole table
    double FBackgroundPerMs = 0;  // the uplinks' bytes per ms the last whole table left unexplained
    bool FHaveOpens = false;
    std::uint64_t FOpens = 0; // the connections opened before the last whole table
    static constexpr std::size_t MaxPendingCloses = 10000;
};

} // namespace qn
