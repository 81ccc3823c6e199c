// Data cap texts with the panels' byte format.
#include "historyview/quota_text.h"

#include "history/history_period.h"
#include "history/history_report.h"
#include "texts/quantity_format.h"

#include <algorithm>
#include <cmath>

namespace qn {

namespace {

std::string Bytes(std::uint64_t AValue)
{
    return FormatBytes(static_cast<double>(AValue));
}

std::string Day(std::int64_t AKey)
{
    return PeriodText(THistoryPeriod::hpDay, AKey);
}

std::string Days(int ACount)
{
    return std::to_string(ACount) + (ACount == 1 ? " day" : " days");
}

} // namespace

std::string QuotaPeriodLine(const TQuotaSettings& ASettings, const TQuotaStatus& AStatus)
{
    const std::string range = AStatus.Window.Days == 1
                                  ? Day(AStatus.Window.FirstDay)
                                  : "from " + Day(AStatus.Window.FirstDay) + " to " + Day(LastDayOf(AStatus.Window));
    return std::string(QuotaPeriodName(ASettings.Period)) + " " + range + ", " + Days(AStatus.DaysLeft) + " left";
}

std::string QuotaUsedLine(const TQuotaStatus& AStatus)
{
    return Bytes(AStatus.Used) + " of " + Bytes(AStatus.Limit) + " (" +
           std::to_string(static_cast<long long>(std::floor(AStatus.Percent))) + " %)";
}

std::string QuotaPaceLine(const TQuotaStatus& AStatus)
{
    std::string text =
        "Pace " + Bytes(AStatus.PerDay) + " a day (" + Bytes(AStatus.Forecast) + " by the period's end); ";
    text += AStatus.Over() ? "the cap is reached." : Bytes(AStatus.Allowance) + " a day may be used from now on.";
    return text;
}

std::string QuotaPartialLine(const TQuotaStatus& AStatus)
{
    if (!AStatus.Partial)
        return {};
    return "The history starts on " + Day(AStatus.HistoryFirstDay) + ": what was used before is not counted.";
}

std::uint64_t QuotaCounted(const TQuotaSettings& ASettings, const THistoryAppRow& ARow)
{
    switch (ASettings.Direction) {
    case TQuotaDirection::qdDownload:
        return ARow.Download;
    case TQuotaDirection::qdUpload:
        return ARow.Upload;
    default:
        return ARow.Total();
    }
}

std::vector<THistoryAppRow> QuotaTopApps(const THistoryStore& AStore, const TQuotaSettings& ASettings,
                                         const TQuotaStatus& AStatus, std::size_t ACount)
{
    std::vector<THistoryAppRow> rows = AStore.QueryApps(AStatus.Window.FirstDay, LastDayOf(AStatus.Window));
    std::erase_if(rows,
                  [&](const THistoryAppRow& ARow) { return ARow.Kind == 0 || QuotaCounted(ASettings, ARow) == 0; });
    std::stable_sort(rows.begin(), rows.end(), [&](const THistoryAppRow& ALeft, const THistoryAppRow& ARight) {
        return QuotaCounted(ASettings, ALeft) > QuotaCounted(ASettings, ARight);
    });
    if (rows.size() > ACount)
        rows.resize(ACount);
    return rows;
}

void QuotaWarningText(const TQuotaSettings& ASettings, const TQuotaWarning& AWarning, std::string& ASummary,
                      std::string& ABody)
{
    const TQuotaStatus& s = AWarning.Status;
    const std::string period = QuotaPeriodName(ASettings.Period);
    if (AWarning.Level == QuotaForecastLevel) {
        ASummary = "The data cap will run out before the " + period + " ends";
        ABody = "At this pace " + Bytes(s.Forecast) + " of " + Bytes(s.Limit) + " will be used by " +
                Day(LastDayOf(s.Window)) + ". " + Bytes(s.Allowance) + " a day keeps within the cap.";
        return;
    }
    ASummary = AWarning.Level >= 100 ? "The data cap is used up"
                                     : std::to_string(AWarning.Level) + " % of the data cap is used";
    ABody = QuotaUsedLine(s) + " this " + period + ", " + Days(s.DaysLeft) + " left.";
    if (!s.Over())
        ABody += " " + Bytes(s.Allowance) + " a day may be used from now on.";
}

} // namespace qn
