// Per-application TCP bytes and rates from successive socket tables and the close events between them.
#pragma once

#include "apptraffic/cgroup_directory.h"
#include "apptraffic/unit_name.h"
#include "platform/socket_table.h"

#include <cstdint>
#include <map>
#include <unordered_map>
#include <vector>

namespace qn {

// One row of the applications' list: an application, a service, the session, another user, or
// what no socket accounts for.
struct TAppRow
{
    TUnitIdentity Unit;
    std::uint64_t TotalIn = 0, TotalOut = 0; // since the first reading
    std::uint64_t LastIn = 0, LastOut = 0;   // moved between the last two readings
    double RateIn = 0, RateOut = 0;          // bytes per second over the time between those readings
    bool UsesUdp = false;                    // it holds UDP sockets, whose bytes the system does not count
};

// The uplinks' received and sent octets (the interfaces the history counts for "all interfaces"),
// summed over interfaces by their own baselines, read at Tick.
struct TUplinkReading
{
    bool Valid = false;
    std::uint64_t Tick = 0;
    std::uint64_t In = 0, Out = 0; // total moved since the reader's first reading
};

// Why the list cannot name applications, for the one line the window shows.
enum class TAttributionLimit : std::uint8_t
{
    alNone = 0,
    alNoSocketTable = 1, // the system offers no socket table
    alNoHierarchy = 2,   // no cgroup v2 mount
    alNoCgroupIds = 3,   // the kernel gives sockets no cgroup id (before Linux 5.8)
    alNoUnits = 4,       // the desktop starts no unit per application
};

class TAppTraffic
{
public:
    // Keeps a socket that left the table this long for its close event, which the kernel sends
    // from a work queue and may come after the socket is gone from a dump.
    static constexpr std::uint64_t CloseGrace = 30000;

    TAppTraffic(TCgroupDirectory& ADirectory, std::uint32_t AOwnUid);

    // One step, in this order: ATable (a socket seen for the first time is a baseline: its earlier
    // bytes were not seen), then ACloses, the close events drained after ATable was read, joined by
    // cookie to what this or an earlier table saw (a close of a socket no table saw is left to
    // "Unattributed"), then the uplinks read at about the same time. Tables must come in the order
    // they were read; rates use the tables' own times. A partial table (some sockets looked up)
    // moves only the sockets it holds; the others keep their counts until a whole table.
    void Update(const TSocketTable& ATable, const std::vector<TSocketClose>& ACloses, const TUplinkReading& AUplinks);

    // The sockets that moved bytes at or after ASince (a table's tick), to be looked up one by one.
    std::vector<TSocketKey> BusySockets(std::uint64_t ASince) const;
    // The bytes, both ways, that an update with ATable and ACloses would book.
    std::uint64_t Booked(const TSocketTable& ATable, const std::vector<TSocketClose>& ACloses) const;

    // Every row with traffic since the first reading, busiest now first.
    const std::vector<TAppRow>& Rows() const { return FSorted; }
    // The uplinks' traffic that the rows do not account for.
    const TAppRow& Unattributed() const { return FUnattributed; }
    // The share of the uplinks' traffic the rows account for (0 to 1); -1 before any moved.
    double AttributedShare() const;
    TAttributionLimit Limit() const { return FLimit; }
    // Marks the system as offering no socket table at all.
    void SetNoSocketTable() { FLimit = TAttributionLimit::alNoSocketTable; }
    std::size_t TrackedSockets() const { return FSockets.size(); }
    // The sockets the last update saw for the first time: what they moved before is not counted.
    std::size_t FirstSeen() const { return FFirstSeen; }

private:
    struct TSocketState
    {
        std::uint64_t In = 0, Out = 0;
        std::uint64_t LastSeen = 0;  // the tick of the last table that held it
        std::uint64_t LastMoved = 0; // the tick of the last table in which it moved bytes
        TSocketKey Key;
        std::size_t App = 0;   // index into FApps
        bool Resolved = false; // its cgroup's unit was known
    };

    std::size_t AppOf(const TSocketRecord& ARecord, bool& AResolved);
    std::size_t AppIndex(const TUnitIdentity& AUnit);
    void Book(std::size_t AApp, std::uint64_t AIn, std::uint64_t AOut);
    void UpdateLimit(bool AAnyCounters, bool AAnyCgroupId, bool AAnyApplication, bool AAnyOwnSession);
    void Finish(const TUplinkReading& AUplinks);

    TCgroupDirectory& FDirectory;
    std::uint32_t FOwnUid;
    std::unordered_map<std::uint64_t, TSocketState> FSockets;
    std::vector<TAppRow> FApps;
    std::map<std::pair<TUnitKind, std::string>, std::size_t> FAppIndex;
    std::vector<TAppRow> FSorted;
    TAppRow FUnattributed;
    TAttributionLimit FLimit = TAttributionLimit::alNone;
    bool FHaveTable = false;
    std::uint64_t FLastTick = 0;
    std::uint64_t FAttributedIn = 0, FAttributedOut = 0; // booked since the uplinks' first reading
    std::uint64_t FStepIn = 0, FStepOut = 0;             // booked in this step
    std::size_t FFirstSeen = 0;
    bool FHaveUplinks = false;
    std::uint64_t FUplinkIn = 0, FUplinkOut = 0, FUplinkTick = 0;
};

} // namespace qn
