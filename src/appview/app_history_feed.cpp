// Session totals turned into the history's per-day growth.
#include "appview/app_history_feed.h"

namespace qn {

void TAppHistoryFeed::Record(const TAppTraffic& ATraffic, THistoryRecorder& ARecorder)
{
    for (const TAppRow& row : ATraffic.Rows())
        Add(row, ARecorder);
    Add(ATraffic.Unattributed(), ARecorder);
}

void TAppHistoryFeed::Add(const TAppRow& ARow, THistoryRecorder& ARecorder)
{
    const int kind = static_cast<int>(ARow.Unit.Kind);
    auto [it, first] = FSeen.try_emplace({kind, ARow.Unit.Id}, 0, 0);
    auto& [seenIn, seenOut] = it->second;
    const std::uint64_t in = ARow.TotalIn > seenIn ? ARow.TotalIn - seenIn : 0;
    const std::uint64_t out = ARow.TotalOut > seenOut ? ARow.TotalOut - seenOut : 0;
    seenIn = ARow.TotalIn;
    seenOut = ARow.TotalOut;
    if (in == 0 && out == 0)
        return;
    std::string name;
    switch (ARow.Unit.Kind) {
    case TUnitKind::ukApplication:
        name = AppName ? AppName(ARow.Unit.Id) : ARow.Unit.Id;
        break;
    case TUnitKind::ukService:
        name = ARow.Unit.Id;
        break;
    case TUnitKind::ukSession:
        name = "Other programs of this session";
        break;
    case TUnitKind::ukUser:
        name = "User " + ARow.Unit.Id;
        break;
    case TUnitKind::ukNone:
        name = ARow.Unit.Id.empty() ? "Unattributed" : ARow.Unit.Id;
        break;
    }
    ARecorder.AddAppBytes(kind, ARow.Unit.Id, name, in, out);
}

} // namespace qn
