// The data cap's warnings: each level once per period, the forecast, from the live counts.
#pragma once

#include "history/history_batch.h"
#include "history/interface_class.h"
#include "history/quota_status.h"
#include "platform/clock.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace qn {

// Level 0 stands for the forecast wherever levels are stored.
inline constexpr int QuotaForecastLevel = 0;

struct TQuotaWarning
{
    int Level = 0; // a percentage of the limit, or QuotaForecastLevel
    TQuotaStatus Status;
};

// The warning due now, if any. Levels that AStatus reached and AGiven does not hold are added to
// AGiven; the warning names the highest of them (several reached at once give one warning). The
// forecast is due, once per period, when the pace would pass the limit before the period ends,
// the limit is not reached yet and the period's first day is over (one day says too little);
// an empty level list gives no warnings, the forecast included.
std::optional<TQuotaWarning> DueQuotaWarning(const TQuotaSettings& ASettings, const TQuotaStatus& AStatus,
                                             std::int64_t AUnixTime, std::set<int>& AGiven);

// Keeps the cap's figures current from the recorder's counts and gives each warning once per
// period, remembered in the history database through Remember so that a restart gives none
// again. The stored day rows of the period are read once per period and interface (after Flush,
// so that nothing read is in neither); what the recorder read since is added from LiveBytes, so a
// check sees the last read, not the last minute's write. Check is meant to run at the history's
// reading pace. Everything runs on the caller's thread; the clock is borrowed.
class TQuotaMonitor
{
public:
    TQuotaMonitor(IClock& AClock, std::string AFileName);

    void SetSettings(const TQuotaSettings& ASettings);
    const TQuotaSettings& Settings() const { return FSettings; }
    // The interfaces present now and their classes.
    void SetPresent(std::map<std::string, TInterfaceClass> APresent);
    void Check();
    // As of the last Check; Limit 0 while there is no cap.
    const TQuotaStatus& Status() const { return FStatus; }

    // Bytes the recorder read of AName on the days [AFirstDay, AEndDay) since it started; with
    // AHandedOver only those that Flush writes to the file.
    std::function<TBucketBytes(const std::string& AName, std::int64_t AFirstDay, std::int64_t AEndDay,
                               bool AHandedOver)>
        LiveBytes;
    // Waits until what the recorder read so far is written.
    std::function<void()> Flush;
    std::function<void(const std::string& APeriodId, int ALevel)> Remember;
    std::function<void(const TQuotaWarning& AWarning)> OnWarning;

private:
    struct TBase
    {
        std::uint64_t Stored = 0; // the period's bytes in the file when first counted
        TBucketBytes Live;        // LiveBytes of the bytes that were in the file then
    };
    void StartPeriod(const TQuotaWindow& AWindow);

    IClock& FClock;
    std::string FFileName;
    TQuotaSettings FSettings;
    std::map<std::string, TInterfaceClass> FPresent;
    bool FStale = true;
    TQuotaWindow FWindow;
    std::string FPeriodId;
    std::set<int> FGiven;
    std::vector<std::string> FStoredNames;
    std::map<std::string, TInterfaceClass> FRecorded;
    std::int64_t FHistoryFirstDay = 0;
    std::map<std::string, TBase> FBases;
    TQuotaStatus FStatus;
};

} // namespace qn
