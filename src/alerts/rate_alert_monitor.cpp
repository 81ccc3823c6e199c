// The rate alerts' conditions: begin, hold, end, and a gap in the readings starting the clocks anew.
#include "alerts/rate_alert_monitor.h"

namespace qn {

void TRateAlertMonitor::Configure(const TRateAlertSettings& ASettings)
{
    FSettings = ASettings;
    for (TCondition* c : {&FHigh[0], &FHigh[1], &FStall[0], &FStall[1]})
        *c = {};
    FHaveLast = false;
}

bool TRateAlertMonitor::Step(TCondition& ACondition, bool AOnSide, double ANow, int ASeconds)
{
    if (!AOnSide) {
        ACondition.Holding = false;
        ACondition.Active = false;
        return false;
    }
    if (!ACondition.Holding) {
        ACondition.Holding = true;
        ACondition.Since = ANow;
    }
    if (ACondition.Active || ANow - ACondition.Since < ASeconds)
        return false;
    ACondition.Active = true;
    return true;
}

std::vector<TRateAlert> TRateAlertMonitor::Sample(double ANow, double ARateDL, double ARateUL)
{
    // A gap, or time that ran backwards: the rates in between are unknown, so no condition may
    // count them as held. A told alert stays told until its condition is seen to end.
    if (FHaveLast && (ANow - FLast > MaxGapSeconds || ANow < FLast))
        for (int d = 0; d < 2; ++d) {
            FHigh[d].Holding = false;
            FStall[d].Holding = false;
            FStall[d].Armed = false;
        }
    FHaveLast = true;
    FLast = ANow;

    std::vector<TRateAlert> alerts;
    const double rates[2] = {ARateDL, ARateUL};
    for (int d = 0; d < 2; ++d) {
        const auto direction = static_cast<TRateDirection>(d);
        if (FSettings.High &&
            Step(FHigh[d], rates[d] > static_cast<double>(FSettings.HighLevel), ANow, FSettings.HighSeconds))
            alerts.push_back({TRateAlertKind::rakHigh, direction});
        if (FSettings.Stall) {
            TCondition& stall = FStall[d];
            const bool below = rates[d] < static_cast<double>(FSettings.StallLevel);
            if (!below) {
                stall.Armed = true;
                Step(stall, false, ANow, FSettings.StallSeconds);
            } else if (stall.Armed && Step(stall, true, ANow, FSettings.StallSeconds)) {
                alerts.push_back({TRateAlertKind::rakStall, direction});
            }
            // Once told, a stall needs the rate above the level again before it can be told again.
            if (stall.Active)
                stall.Armed = false;
        }
    }
    return alerts;
}

bool TRateAlertMonitor::Active(TRateAlertKind AKind, TRateDirection ADirection) const
{
    const int d = static_cast<int>(ADirection);
    return AKind == TRateAlertKind::rakHigh ? FHigh[d].Active : FStall[d].Active;
}

} // namespace qn
