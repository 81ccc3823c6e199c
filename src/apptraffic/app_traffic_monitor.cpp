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
    const int table = FSources.ReadTable(FTable);
    if (table == 0) {
        FTraffic.SetNoSocketTable();
        return;
    }
    // A failed reading is skipped: the next one's differences span both seconds, and so does its rate.
    if (table < 0)
        return;
    ++FTables;
    FCloses.clear();
    const int closes = FSources.ReadCloses(FCloses);
    FTraffic.Update(FTable, FCloses, FSources.ReadUplinks());
    if (closes < 0) {
        // Close events were lost (the kernel's queue overflowed): read the table again at once, so the
        // sockets still open are current and only the lost closes' last bytes fall to "Unattributed".
        FCloses.clear();
        if (FSources.ReadTable(FTable) > 0) {
            ++FTables;
            FTraffic.Update(FTable, FCloses, FSources.ReadUplinks());
        }
    }
}

} // namespace qn
