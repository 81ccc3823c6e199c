// The cap's figures from the bytes used so far and the calendar.
#include "history/quota_status.h"

#include "history/history_period.h"

#include <algorithm>
#include <cmath>

namespace qn {

std::uint64_t QuotaBytes(TQuotaDirection ADirection, std::uint64_t ADownload, std::uint64_t AUpload)
{
    switch (ADirection) {
    case TQuotaDirection::qdDownload:
        return ADownload;
    case TQuotaDirection::qdUpload:
        return AUpload;
    default:
        return ADownload + AUpload;
    }
}

TQuotaStatus QuotaStatusOf(const TQuotaSettings& ASettings, const TQuotaWindow& AWindow, std::uint64_t AUsed,
                           std::int64_t AUnixTime, std::int64_t AHistoryFirstDay)
{
    TQuotaStatus s;
    s.Window = AWindow;
    s.Used = AUsed;
    s.Limit = ASettings.Limit;
    s.Percent = s.Limit ? 100.0 * static_cast<double>(AUsed) / static_cast<double>(s.Limit) : 0;
    s.DaysLeft = DaysLeft(AWindow, AUnixTime);
    s.Partial = AHistoryFirstDay > AWindow.FirstDay && AWindow.Contains(AHistoryFirstDay);
    s.HistoryFirstDay = AHistoryFirstDay;

    // The pace over the time that was counted; the first hour is too short to say anything.
    std::int64_t since = AWindow.Start;
    if (s.Partial)
        since = DayStart(AHistoryFirstDay);
    const double elapsed = static_cast<double>(std::max<std::int64_t>(AUnixTime - since, 3600));
    const double length = static_cast<double>(AWindow.End - since);
    const double rate = static_cast<double>(AUsed) / elapsed; // bytes per second
    s.PerDay = static_cast<std::uint64_t>(std::llround(rate * 86400.0));
    s.Forecast = static_cast<std::uint64_t>(std::llround(rate * std::max(length, elapsed)));
    if (s.Limit > AUsed && s.DaysLeft > 0)
        s.Allowance = (s.Limit - AUsed) / static_cast<std::uint64_t>(s.DaysLeft);
    return s;
}

std::vector<std::string> QuotaInterfaces(const TQuotaSettings& ASettings, const THistoryStore& AStore,
                                         const std::map<std::string, TInterfaceClass>& APresent)
{
    if (!ASettings.Interfaces.empty())
        return ASettings.Interfaces;
    std::vector<std::string> names = AStore.InterfaceNames();
    for (const auto& [name, c] : APresent)
        if (std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    return UplinkNames(names, AStore.InterfaceClasses(), APresent);
}

TQuotaStatus StoredQuotaStatus(const THistoryStore& AStore, const TQuotaSettings& ASettings,
                               const std::vector<std::string>& ANames, std::int64_t AUnixTime)
{
    const TQuotaWindow window = QuotaWindowAt(ASettings, AUnixTime);
    std::uint64_t used = 0;
    std::int64_t first = 0;
    for (const THistoryRow& row : AStore.QueryNames(THistoryPeriod::hpDay, ANames)) {
        if (first == 0 || row.Key < first)
            first = row.Key;
        if (window.Contains(row.Key))
            used += QuotaBytes(ASettings.Direction, row.Download, row.Upload);
    }
    return QuotaStatusOf(ASettings, window, used, AUnixTime, first);
}

} // namespace qn
