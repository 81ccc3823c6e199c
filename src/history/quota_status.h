// Where the data cap stands: used, limit, days left, pace, forecast and what may be used per day.
#pragma once

#include "history/history_store.h"
#include "history/interface_class.h"
#include "history/quota_period.h"
#include "history/quota_settings.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace qn {

struct TQuotaStatus
{
    TQuotaWindow Window;
    std::uint64_t Used = 0;
    std::uint64_t Limit = 0;
    double Percent = 0;          // Used of Limit, 0 without a limit
    int DaysLeft = 0;            // today included
    std::uint64_t PerDay = 0;    // used per day so far (the pace)
    std::uint64_t Forecast = 0;  // used by the period's end at the pace so far
    std::uint64_t Allowance = 0; // what may be used per day from now on, today included
    // The history begins inside the period: Used counts from HistoryFirstDay (a day key) on.
    bool Partial = false;
    std::int64_t HistoryFirstDay = 0;

    bool Over() const { return Limit > 0 && Used >= Limit; }
};

// The bytes of ARow that the cap counts.
std::uint64_t QuotaBytes(TQuotaDirection ADirection, std::uint64_t ADownload, std::uint64_t AUpload);

// The status at AUnixTime of AUsed bytes in AWindow. The pace is taken over the time since the
// period began, or since AHistoryFirstDay's midnight when that is later (0: none known).
TQuotaStatus QuotaStatusOf(const TQuotaSettings& ASettings, const TQuotaWindow& AWindow, std::uint64_t AUsed,
                           std::int64_t AUnixTime, std::int64_t AHistoryFirstDay);

// The status from what a history store holds, over ANames' day rows.
TQuotaStatus StoredQuotaStatus(const THistoryStore& AStore, const TQuotaSettings& ASettings,
                               const std::vector<std::string>& ANames, std::int64_t AUnixTime);

// The interfaces the cap counts: ASettings.Interfaces, or the uplinks among the store's
// interfaces and the ones present now.
std::vector<std::string> QuotaInterfaces(const TQuotaSettings& ASettings, const THistoryStore& AStore,
                                         const std::map<std::string, TInterfaceClass>& APresent);

} // namespace qn
