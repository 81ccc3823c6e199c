// Socket byte counts turned into per-application totals and rates.
#include "apptraffic/app_traffic.h"

#include <algorithm>
#include <string>

namespace qn {

TAppTraffic::TAppTraffic(TCgroupDirectory& ADirectory, std::uint32_t AOwnUid) : FDirectory(ADirectory), FOwnUid(AOwnUid)
{
    FUnattributed.Unit = {TUnitKind::ukNone, ""};
}

std::size_t TAppTraffic::AppIndex(const TUnitIdentity& AUnit)
{
    const auto key = std::make_pair(AUnit.Kind, AUnit.Id);
    const auto it = FAppIndex.find(key);
    if (it != FAppIndex.end())
        return it->second;
    FApps.push_back({});
    FApps.back().Unit = AUnit;
    FAppIndex.emplace(key, FApps.size() - 1);
    return FApps.size() - 1;
}

std::size_t TAppTraffic::AppOf(const TSocketRecord& ARecord, bool& AResolved)
{
    AResolved = true;
    if (ARecord.HasCgroupId) {
        const TUnitIdentity& unit = FDirectory.Find(ARecord.CgroupId, FLastTick);
        if (unit.Kind != TUnitKind::ukNone)
            return AppIndex(unit);
        // Not (yet) in the hierarchy as last walked: asked again at the next reading.
        AResolved = FDirectory.Support() != TCgroupSupport::csAvailable;
    }
    if (ARecord.Uid != FOwnUid)
        return AppIndex({TUnitKind::ukUser, std::to_string(ARecord.Uid)});
    return AppIndex({TUnitKind::ukSession, "session"});
}

void TAppTraffic::Book(std::size_t AApp, std::uint64_t AIn, std::uint64_t AOut)
{
    TAppRow& row = FApps[AApp];
    row.TotalIn += AIn;
    row.TotalOut += AOut;
    row.LastIn += AIn;
    row.LastOut += AOut;
    FStepIn += AIn;
    FStepOut += AOut;
}

void TAppTraffic::Update(const TSocketTable& ATable, const std::vector<TSocketClose>& ACloses,
                         const TUplinkReading& AUplinks)
{
    FStepIn = FStepOut = 0;
    FFirstSeen = 0;
    for (TAppRow& row : FApps) {
        row.LastIn = row.LastOut = 0;
        // Only a whole table tells which applications hold UDP sockets.
        if (!ATable.Partial)
            row.UsesUdp = false;
    }
    const std::uint64_t previousTick = FLastTick;
    FLastTick = ATable.Tick;
    bool anyCgroupId = false, anyCounters = false, anyApplication = false, anyOwnSession = false;
    for (const TSocketRecord& record : ATable.Sockets) {
        if (record.Loopback)
            continue;
        if (record.Protocol == TSocketProtocol::spUdp) {
            bool resolved = false;
            const std::size_t app = AppOf(record, resolved);
            FApps[app].UsesUdp = true;
            continue;
        }
        if (!record.HasCounters)
            continue;
        anyCounters = true;
        anyCgroupId = anyCgroupId || record.HasCgroupId;
        auto [it, inserted] = FSockets.try_emplace(record.Cookie);
        TSocketState& state = it->second;
        if (inserted || !state.Resolved)
            state.App = AppOf(record, state.Resolved);
        // A connection new since the last table is about to move bytes, most likely: it is looked at
        // from the start. The first table's sockets were there before the program.
        if (inserted) {
            state.LastMoved = FHaveTable ? ATable.Tick : 0;
            ++FFirstSeen;
        }
        if (!inserted && record.BytesReceived >= state.In && record.BytesAcked >= state.Out) {
            if (record.BytesReceived != state.In || record.BytesAcked != state.Out)
                state.LastMoved = ATable.Tick;
            Book(state.App, record.BytesReceived - state.In, record.BytesAcked - state.Out);
        }
        // First sight is a baseline; a count that went back (never for one cookie, but the kernel's
        // word is not law here) starts a new one.
        state.In = record.BytesReceived;
        state.Out = record.BytesAcked;
        state.LastSeen = ATable.Tick;
        state.Key = record.Key;
        const TUnitKind kind = FApps[state.App].Unit.Kind;
        anyApplication = anyApplication || kind == TUnitKind::ukApplication;
        anyOwnSession = anyOwnSession || (kind == TUnitKind::ukSession && record.Uid == FOwnUid);
    }
    for (const TSocketClose& close : ACloses) {
        const auto it = FSockets.find(close.Cookie);
        if (it == FSockets.end())
            continue;
        const TSocketState& state = it->second;
        if (close.BytesReceived >= state.In && close.BytesAcked >= state.Out)
            Book(state.App, close.BytesReceived - state.In, close.BytesAcked - state.Out);
        FSockets.erase(it);
    }
    if (!ATable.Partial) {
        // Sockets gone from the table whose close never came (lost, or not a close: the namespace went).
        std::erase_if(FSockets, [&](const auto& AEntry) { return ATable.Tick - AEntry.second.LastSeen > CloseGrace; });
        UpdateLimit(anyCounters, anyCgroupId, anyApplication, anyOwnSession);
    }

    const std::uint64_t interval = FHaveTable && ATable.Tick > previousTick ? ATable.Tick - previousTick : 0;
    FHaveTable = true;
    for (TAppRow& row : FApps) {
        row.RateIn = interval ? static_cast<double>(row.LastIn) * 1000.0 / static_cast<double>(interval) : 0;
        row.RateOut = interval ? static_cast<double>(row.LastOut) * 1000.0 / static_cast<double>(interval) : 0;
    }
    Finish(AUplinks);
}

void TAppTraffic::UpdateLimit(bool AAnyCounters, bool AAnyCgroupId, bool AAnyApplication, bool AAnyOwnSession)
{
    if (FLimit == TAttributionLimit::alNoSocketTable)
        return;
    if (FDirectory.Support() == TCgroupSupport::csNoHierarchy)
        FLimit = TAttributionLimit::alNoHierarchy;
    else if (FDirectory.Support() == TCgroupSupport::csUnsupported)
        FLimit = TAttributionLimit::alNoSocketTable;
    else if (AAnyCounters && !AAnyCgroupId)
        FLimit = TAttributionLimit::alNoCgroupIds;
    else if (AAnyOwnSession && !AAnyApplication && !FAppIndex.empty() &&
             std::none_of(FApps.begin(), FApps.end(),
                          [](const TAppRow& r) { return r.Unit.Kind == TUnitKind::ukApplication; }))
        FLimit = TAttributionLimit::alNoUnits;
    else if (AAnyCounters)
        FLimit = TAttributionLimit::alNone;
}

std::vector<TSocketKey> TAppTraffic::BusySockets(std::uint64_t ASince) const
{
    std::vector<TSocketKey> keys;
    for (const auto& [cookie, state] : FSockets)
        if (state.LastMoved != 0 && state.LastMoved >= ASince)
            keys.push_back(state.Key);
    return keys;
}

std::uint64_t TAppTraffic::Booked(const TSocketTable& ATable, const std::vector<TSocketClose>& ACloses) const
{
    // Each socket from its last counts to the table's, a closed one to its close (from the table's
    // counts when the table still held it). Sockets first seen are baselines and book nothing.
    std::unordered_map<std::uint64_t, std::pair<std::uint64_t, std::uint64_t>> counts;
    std::uint64_t booked = 0;
    for (const TSocketRecord& record : ATable.Sockets) {
        const auto it = FSockets.find(record.Cookie);
        if (record.Loopback || !record.HasCounters || it == FSockets.end())
            continue;
        const TSocketState& state = it->second;
        if (record.BytesReceived >= state.In && record.BytesAcked >= state.Out)
            booked += record.BytesReceived - state.In + record.BytesAcked - state.Out;
        if (!ACloses.empty())
            counts[record.Cookie] = {record.BytesReceived, record.BytesAcked};
    }
    for (const TSocketClose& close : ACloses) {
        const auto it = FSockets.find(close.Cookie);
        if (it == FSockets.end())
            continue;
        const auto seen = counts.find(close.Cookie);
        const std::uint64_t in = seen != counts.end() ? seen->second.first : it->second.In;
        const std::uint64_t out = seen != counts.end() ? seen->second.second : it->second.Out;
        if (close.BytesReceived >= in && close.BytesAcked >= out)
            booked += close.BytesReceived - in + close.BytesAcked - out;
    }
    return booked;
}

void TAppTraffic::Finish(const TUplinkReading& AUplinks)
{
    FAttributedIn += FStepIn;
    FAttributedOut += FStepOut;
    FUnattributed.LastIn = FUnattributed.LastOut = 0;
    FUnattributed.RateIn = FUnattributed.RateOut = 0;
    if (AUplinks.Valid) {
        const std::uint64_t previousTick = FUplinkTick;
        if (FHaveUplinks && AUplinks.In >= FUplinkIn && AUplinks.Out >= FUplinkOut) {
            const std::uint64_t in = AUplinks.In - FUplinkIn, out = AUplinks.Out - FUplinkOut;
            FUnattributed.LastIn = in > FStepIn ? in - FStepIn : 0;
            FUnattributed.LastOut = out > FStepOut ? out - FStepOut : 0;
            const std::uint64_t interval = AUplinks.Tick > previousTick ? AUplinks.Tick - previousTick : 0;
            if (interval) {
                FUnattributed.RateIn =
                    static_cast<double>(FUnattributed.LastIn) * 1000.0 / static_cast<double>(interval);
                FUnattributed.RateOut =
                    static_cast<double>(FUnattributed.LastOut) * 1000.0 / static_cast<double>(interval);
            }
        }
        FHaveUplinks = true;
        FUplinkIn = AUplinks.In;
        FUplinkOut = AUplinks.Out;
        FUplinkTick = AUplinks.Tick;
        FUnattributed.TotalIn = FUplinkIn > FAttributedIn ? FUplinkIn - FAttributedIn : 0;
        FUnattributed.TotalOut = FUplinkOut > FAttributedOut ? FUplinkOut - FAttributedOut : 0;
    }
    FSorted.clear();
    for (const TAppRow& row : FApps)
        if (row.TotalIn + row.TotalOut > 0 || row.UsesUdp)
            FSorted.push_back(row);
    std::stable_sort(FSorted.begin(), FSorted.end(), [](const TAppRow& a, const TAppRow& b) {
        if (a.LastIn + a.LastOut != b.LastIn + b.LastOut)
            return a.LastIn + a.LastOut > b.LastIn + b.LastOut;
        return a.TotalIn + a.TotalOut > b.TotalIn + b.TotalOut;
    });
}

double TAppTraffic::AttributedShare() const
{
    const std::uint64_t uplinks = FUplinkIn + FUplinkOut;
    if (!FHaveUplinks || uplinks == 0)
        return -1;
    return std::min(1.0, static_cast<double>(FAttributedIn + FAttributedOut) / static_cast<double>(uplinks));
}

} // namespace qn
