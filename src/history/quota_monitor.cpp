// Live data cap figures and the once-per-period warnings.
#include "history/quota_monitor.h"

#include "history/history_store.h"

#include <algorithm>
#include <utility>

namespace qn {

std::optional<TQuotaWarning> DueQuotaWarning(const TQuotaSettings& ASettings, const TQuotaStatus& AStatus,
                                             std::int64_t AUnixTime, std::set<int>& AGiven)
{
    if (!ASettings.Enabled())
        return std::nullopt;
    int highest = -1;
    for (const int level : ASettings.Warn) {
        // Whole bytes, no rounding: 80 % of 10 MB is reached at 8,000,000 bytes, not before.
        const bool reached = static_cast<long double>(AStatus.Used) * 100 >=
                             static_cast<long double>(ASettings.Limit) * static_cast<long double>(level);
        if (reached && AGiven.insert(level).second)
            highest = level;
    }
    if (highest > 0)
        return TQuotaWarning{highest, AStatus};
    const bool firstDay = AUnixTime - AStatus.Window.Start < 86400;
    // An empty list asks for no warnings at all, the forecast included.
    if (!ASettings.Warn.empty() && !firstDay && !AStatus.Over() && AStatus.Forecast > ASettings.Limit &&
        AGiven.insert(QuotaForecastLevel).second)
        return TQuotaWarning{QuotaForecastLevel, AStatus};
    return std::nullopt;
}

TQuotaMonitor::TQuotaMonitor(IClock& AClock, std::string AFileName) : FClock(AClock), FFileName(std::move(AFileName)) {}

void TQuotaMonitor::SetSettings(const TQuotaSettings& ASettings)
{
    if (ASettings == FSettings)
        return;
    FSettings = ASettings;
    FStale = true;
}

void TQuotaMonitor::SetPresent(std::map<std::string, TInterfaceClass> APresent)
{
    FPresent = std::move(APresent);
}

void TQuotaMonitor::StartPeriod(const TQuotaWindow& AWindow)
{
    FWindow = AWindow;
    FPeriodId = QuotaPeriodId(FSettings, AWindow);
    FBases.clear();
    FGiven.clear();
    FStoredNames.clear();
    FRecorded.clear();
    FHistoryFirstDay = 0;
    FStale = false;
    if (Flush)
        Flush();
    THistoryStore store;
    std::string error;
    if (!store.OpenReadOnly(FFileName, error))
        return; // a history not written yet: nothing given, nothing stored
    for (const int level : store.QuotaWarnings(FPeriodId))
        FGiven.insert(level);
    FStoredNames = store.InterfaceNames();
    FRecorded = store.InterfaceClasses();
}

void TQuotaMonitor::Check()
{
    if (!FSettings.Enabled()) {
        FStatus = {};
        return;
    }
    const std::int64_t now = FClock.UnixTime();
    const TQuotaWindow window = QuotaWindowAt(FSettings, now);
    if (FStale || window != FWindow)
        StartPeriod(window);

    std::vector<std::string> names = FSettings.Interfaces;
    if (names.empty()) {
        std::vector<std::string> known = FStoredNames;
        for (const auto& [name, c] : FPresent)
            if (std::find(known.begin(), known.end(), name) == known.end())
                known.push_back(name);
        names = UplinkNames(known, FRecorded, FPresent);
    }
    const auto live = [&](const std::string& AName, bool AHandedOver) {
        return LiveBytes ? LiveBytes(AName, FWindow.FirstDay, FWindow.EndDay, AHandedOver) : TBucketBytes{};
    };
    // Interfaces counted for the first time in this period: their stored days, once.
    bool flushed = false;
    THistoryStore store;
    for (const std::string& name : names) {
        if (FBases.count(name))
            continue;
        if (!flushed) {
            if (Flush)
                Flush();
            std::string error;
            store.OpenReadOnly(FFileName, error);
            flushed = true;
        }
        TBase base;
        for (const THistoryRow& row : store.Query(THistoryPeriod::hpDay, name)) {
            if (FWindow.Contains(row.Key))
                base.Stored += QuotaBytes(FSettings.Direction, row.Download, row.Upload);
            if (FHistoryFirstDay == 0 || row.Key < FHistoryFirstDay)
                FHistoryFirstDay = row.Key;
        }
        base.Live = live(name, true);
        FBases.emplace(name, base);
    }
    std::uint64_t used = 0;
    std::int64_t first = FHistoryFirstDay;
    for (const std::string& name : names) {
        const TBase& base = FBases[name];
        const TBucketBytes now = live(name, false);
        used += base.Stored +
                QuotaBytes(FSettings.Direction, now.Download - base.Live.Download, now.Upload - base.Live.Upload);
    }
    // Traffic read today in a history that had none before starts it today.
    if (first == 0 && used > 0)
        first = LocalBucketKeys(now).Day;
    FStatus = QuotaStatusOf(FSettings, FWindow, used, now, first);

    const std::set<int> before = FGiven;
    const std::optional<TQuotaWarning> warning = DueQuotaWarning(FSettings, FStatus, now, FGiven);
    for (const int level : FGiven)
        if (!before.count(level) && Remember)
            Remember(FPeriodId, level);
    if (warning && OnWarning)
        OnWarning(*warning);
}

} // namespace qn
