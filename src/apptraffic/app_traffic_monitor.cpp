// One step of the applications layer.
#include "apptraffic/app_traffic_monitor.h"

#include <cstdlib>
#include <cstring>

namespace qn {

TAppTrafficMonitor::TAppTrafficMonitor(TAppTrafficSources ASources)
    : FReader(std::make_unique<TSocketTableReader>()), FSources(std::move(ASources)),
      FDirectory(FSources.WalkCgroups ? FSources.WalkCgroups : TCgroupDirectory::TWalkFn(ReadCgroupTree)),
      FTraffic(FDirectory, CurrentUserId())
{
    TSocketTableReader* reader = FReader.get();
    if (!FSources.ReadTable) {
        FSources.ReadTable = [reader](TSocketTable& ATable) { return reader->ReadTable(ATable); };
        if (!FSources.ReadSockets)
            FSources.ReadSockets = [reader](const std::vector<TSocketKey>& AKeys, TSocketTable& ATable) {
                return reader->ReadSockets(AKeys, ATable);
            };
        if (!FSources.ReadOpenCount)
            FSources.ReadOpenCount = [reader](std::uint64_t& ACount) { return reader->ReadOpenCount(ACount); };
    }
    if (!FSources.ReadSockets)
        FSources.ReadSockets = [](const std::vector<TSocketKey>&, TSocketTable&) { return 0; };
    if (!FSources.ReadOpenCount)
        FSources.ReadOpenCount = [](std::uint64_t&) { return 0; };
    if (!FSources.ReadCloses)
        FSources.ReadCloses = [reader](std::vector<TSocketClose>& ACloses) { return reader->ReadCloses(ACloses); };
    if (!FSources.ReadUplinks)
        FSources.ReadUplinks = [this] { return FUplinks.Read(); };
}

bool TAppTrafficMonitor::Enabled()
{
    const char* value = std::getenv("QUARNO_APPS");
    return !value || std::strcmp(value, "0") != 0;
}

void TAppTrafficMonitor::Step()
{
    // Close events are drained every second, so that the kernel's queue does not overflow.
    const int closes = FSources.ReadCloses(FCloses);
    const TUplinkReading uplinks = FSources.ReadUplinks();
    // Nothing crossed the uplinks: no socket can have moved traffic that counts, so the table is
    // not read (its dump walks the kernel's whole connection hash). The closes wait for the next
    // table; sockets opened meanwhile get their baseline then, having moved nothing.
    const bool still = FTables > 0 && uplinks.Valid && FLastUplinks.Valid && uplinks.In == FLastUplinks.In &&
                       uplinks.Out == FLastUplinks.Out;
    if (still && closes >= 0 && FCloses.size() < MaxPendingCloses) {
        ++FSkipped;
        return;
    }
    // Counted before any table is read: a connection opened while one is read shows at the next step.
    std::uint64_t opens = 0;
    const bool opensKnown = FSources.ReadOpenCount(opens) > 0;
    if (closes >= 0 && opensKnown && FHaveOpens && opens == FOpens && Look(uplinks))
        return;
    if (ReadWholeTable(uplinks, closes)) {
        FHaveOpens = opensKnown;
        FOpens = opens;
    }
}

// No connection was opened since the last whole table, so every open socket is known: read the ones
// that moved bytes lately, and keep that reading when it accounts for what crossed the uplinks.
bool TAppTrafficMonitor::Look(const TUplinkReading& AUplinks)
{
    if (FTables == 0 || !AUplinks.Valid || AUplinks.Tick - FWholeTick >= WholeTableIntervalMs ||
        FCloses.size() >= MaxPendingCloses)
        return false;
    const std::vector<TSocketKey> busy =
        FTraffic.BusySockets(AUplinks.Tick > BusyWindowMs ? AUplinks.Tick - BusyWindowMs : 0);
    if (busy.size() > MaxLooks || FSources.ReadSockets(busy, FTable) <= 0 || !Explained(AUplinks))
        return false;
    ++FLooks;
    FLastUplinks = AUplinks;
    FTraffic.Update(FTable, FCloses, AUplinks);
    FCloses.clear();
    return true;
}

// Whether the look in FTable accounts for what crossed the uplinks since the last reading: if not,
// some socket it did not ask for moved bytes.
bool TAppTrafficMonitor::Explained(const TUplinkReading& AUplinks) const
{
    if (!FLastUplinks.Valid || AUplinks.In < FLastUplinks.In || AUplinks.Out < FLastUplinks.Out ||
        AUplinks.Tick < FLastUplinks.Tick)
        return false;
    const std::uint64_t moved = AUplinks.In - FLastUplinks.In + AUplinks.Out - FLastUplinks.Out;
    const std::uint64_t booked = FTraffic.Booked(FTable, FCloses);
    const auto background =
        static_cast<std::uint64_t>(FBackgroundPerMs * 1.5 * static_cast<double>(AUplinks.Tick - FLastUplinks.Tick));
    return moved <= booked + UnexplainedAllowance + moved / 8 + background;
}

bool TAppTrafficMonitor::ReadWholeTable(const TUplinkReading& AUplinks, int ACloses)
{
    const int table = FSources.ReadTable(FTable);
    if (table == 0) {
        FTraffic.SetNoSocketTable();
        FCloses.clear();
        return false;
    }
    // A failed reading is skipped: the next one's differences span both seconds, and so does its rate.
    if (table < 0)
        return false;
    ++FTables;
    FWholeTick = AUplinks.Tick;
    const TUplinkReading previous = FLastUplinks;
    FLastUplinks = AUplinks;
    FTraffic.Update(FTable, FCloses, AUplinks);
    FCloses.clear();
    // What this table left unattributed is what no socket can account for (UDP, other protocols),
    // unless it saw new sockets, whose bytes before it count nowhere: then nothing is assumed.
    const TAppRow& rest = FTraffic.Unattributed();
    FBackgroundPerMs =
        previous.Valid && AUplinks.Valid && AUplinks.Tick > previous.Tick && FTraffic.FirstSeen() == 0
            ? static_cast<double>(rest.LastIn + rest.LastOut) / static_cast<double>(AUplinks.Tick - previous.Tick)
            : 0;
    if (ACloses < 0) {
        // Close events were lost (the kernel's queue overflowed): read the table again at once, so the
        // sockets still open are current and only the lost closes' last bytes fall to "Unattributed".
        if (FSources.ReadTable(FTable) > 0) {
            ++FTables;
            FLastUplinks = FSources.ReadUplinks();
            FTraffic.Update(FTable, FCloses, FLastUplinks);
        }
    }
    return true;
}

} // namespace qn
