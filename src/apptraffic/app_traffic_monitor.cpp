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
    if (!FSources.ReadTable)
        FSources.ReadTable = [reader](TSocketTable& ATable) { return reader->ReadTable(ATable); };
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
    const int table = FSources.ReadTable(FTable);
    if (table == 0) {
        FTraffic.SetNoSocketTable();
        FCloses.clear();
        return;
    }
    // A failed reading is skipped: the next one's differences span both seconds, and so does its rate.
    if (table < 0)
        return;
    ++FTables;
    FLastUplinks = uplinks;
    FTraffic.Update(FTable, FCloses, uplinks);
    FCloses.clear();
    if (closes < 0) {
        // Close events were lost (the kernel's queue overflowed): read the table again at once, so the
        // sockets still open are current and only the lost closes' last bytes fall to "Unattributed".
        if (FSources.ReadTable(FTable) > 0) {
            ++FTables;
            FLastUplinks = FSources.ReadUplinks();
            FTraffic.Update(FTable, FCloses, FLastUplinks);
        }
    }
}

} // namespace qn
