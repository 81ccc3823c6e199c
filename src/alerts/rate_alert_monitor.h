// The conditions of the rate alerts of one interface, over its readings in monotonic time: a rate
// that stays above a level for a time, and one that stays below a level for a time after it was
// above. Each alert is told once when its condition begins and again only after it ended.
#pragma once

#include "alerts/rate_alert_settings.h"

#include <vector>

namespace qn {

enum class TRateDirection
{
    rdDownload,
    rdUpload
};
enum class TRateAlertKind
{
    rakHigh,
    rakStall
};

struct TRateAlert
{
    TRateAlertKind Kind = TRateAlertKind::rakHigh;
    TRateDirection Direction = TRateDirection::rdDownload;
    bool operator==(const TRateAlert&) const = default;
};

class TRateAlertMonitor
{
public:
    // Readings further apart than this (a sleep, a stalled tick, a clock that jumped) start the
    // "for a time" clocks again: what happened in between is not known.
    static constexpr double MaxGapSeconds = 3.0;

    // New settings start every condition afresh.
    void Configure(const TRateAlertSettings& ASettings);
    const TRateAlertSettings& Settings() const { return FSettings; }

    // One reading at ANow (monotonic seconds) of the two rates in bytes a second; the alerts whose
    // condition begins with it.
    std::vector<TRateAlert> Sample(double ANow, double ARateDL, double ARateUL);

    // Whether a condition currently holds (its alert was told and it has not ended).
    bool Active(TRateAlertKind AKind, TRateDirection ADirection) const;

private:
    struct TCondition
    {
        bool Armed = false;   // a stall: the rate was above the level since the last alert or gap
        bool Holding = false; // the rate is on the condition's side of the level
        double Since = 0.0;   // since when, in monotonic seconds
        bool Active = false;  // told, not yet ended
    };

    static bool Step(TCondition& ACondition, bool AOnSide, double ANow, int ASeconds);

    TRateAlertSettings FSettings;
    TCondition FHigh[2];
    TCondition FStall[2];
    bool FHaveLast = false;
    double FLast = 0.0;
};

} // namespace qn
