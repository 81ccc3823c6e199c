// CSV and JSON forms of the report rows.
#include "history/history_report.h"

#include <cstdio>
#include <iterator>

namespace qn {

namespace {

bool ValidUtf8(const std::string& AText)
{
    std::size_t i = 0;
    while (i < AText.size()) {
        const auto c = static_cast<unsigned char>(AText[i]);
        const int extra = c < 0x80 ? 0 : (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : -1;
        if (extra < 0 || i + static_cast<std::size_t>(extra) >= AText.size() + (extra == 0 ? 1 : 0))
            return false;
        for (int k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(AText[i + static_cast<std::size_t>(k)]) >> 6) != 0x2)
                return false;
        i += static_cast<std::size_t>(extra) + 1;
    }
    return true;
}

std::string JsonString(const std::string& AText)
{
    const bool utf8 = ValidUtf8(AText);
    std::string out = "\"";
    for (const char ch : AText) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += ch;
        } else if (c < 0x20 || (!utf8 && c >= 0x80)) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        } else {
            out += ch;
        }
    }
    return out + "\"";
}

std::string CsvField(const std::string& AText)
{
    if (AText.find_first_of(",\"\r\n") == std::string::npos)
        return AText;
    std::string out = "\"";
    for (const char ch : AText) {
        if (ch == '"')
            out += '"';
        out += ch;
    }
    return out + "\"";
}

} // namespace

const char* AppKindName(int AKind)
{
    constexpr const char* Names[] = {"unattributed", "application", "service", "session", "user"};
    return AKind >= 0 && AKind < static_cast<int>(std::size(Names)) ? Names[AKind] : "other";
}

std::string AppsCsv(THistoryPeriod APeriod, std::int64_t AKey, const std::vector<THistoryAppRow>& ARows)
{
    const std::string period = PeriodText(APeriod, AKey);
    std::string out = "period,kind,id,name,download,upload,total\n";
    for (const THistoryAppRow& row : ARows)
        out += period + "," + AppKindName(row.Kind) + "," + CsvField(row.Id) + "," + CsvField(row.Name) + "," +
               std::to_string(row.Download) + "," + std::to_string(row.Upload) + "," + std::to_string(row.Total()) +
               "\n";
    return out;
}

std::string AppsJson(THistoryPeriod APeriod, std::int64_t AKey, const std::vector<THistoryAppRow>& ARows)
{
    std::string out = std::string("{\"period\": \"") + PeriodName(APeriod) + "\", \"key\": \"" +
                      PeriodText(APeriod, AKey) + "\", \"applications\": [";
    for (std::size_t i = 0; i < ARows.size(); ++i) {
        const THistoryAppRow& row = ARows[i];
        out += (i ? ",\n  " : "\n  ");
        out += std::string("{\"kind\": \"") + AppKindName(row.Kind) + "\", \"id\": " + JsonString(row.Id) +
               ", \"name\": " + JsonString(row.Name) + ", \"download\": " + std::to_string(row.Download) +
               ", \"upload\": " + std::to_string(row.Upload) + ", \"total\": " + std::to_string(row.Total()) + "}";
    }
    out += ARows.empty() ? "]}\n" : "\n]}\n";
    return out;
}

std::string HistoryCsv(THistoryPeriod APeriod, const std::vector<THistoryRow>& ARows)
{
    std::string out = "period,download,upload,total\n";
    for (const THistoryRow& row : ARows)
        out += PeriodText(APeriod, row.Key) + "," + std::to_string(row.Download) + "," + std::to_string(row.Upload) +
               "," + std::to_string(row.Total()) + "\n";
    return out;
}

std::string HistoryJson(const std::string& AInterface, THistoryPeriod APeriod, const std::vector<THistoryRow>& ARows)
{
    std::string out = "{\"interface\": " + (AInterface.empty() ? std::string("null") : JsonString(AInterface)) +
                      ", \"period\": \"" + PeriodName(APeriod) + "\", \"rows\": [";
    for (std::size_t i = 0; i < ARows.size(); ++i) {
        const THistoryRow& row = ARows[i];
        out += (i ? ",\n  " : "\n  ");
        out += "{\"period\": \"" + PeriodText(APeriod, row.Key) + "\", \"download\": " + std::to_string(row.Download) +
               ", \"upload\": " + std::to_string(row.Upload) + ", \"total\": " + std::to_string(row.Total()) + "}";
    }
    out += ARows.empty() ? "]}\n" : "\n]}\n";
    return out;
}

std::int64_t LastDayOf(const TQuotaWindow& AWindow)
{
    // Noon of the day before the end lies in the last day whatever daylight saving does.
    return LocalBucketKeys(DayStart(AWindow.EndDay) - 12 * 3600).Day;
}

std::string QuotaJson(const TQuotaSettings& ASettings, const TQuotaStatus& AStatus,
                      const std::vector<std::string>& AInterfaces)
{
    const auto day = [](std::int64_t AKey) { return "\"" + PeriodText(THistoryPeriod::hpDay, AKey) + "\""; };
    char percent[32];
    std::snprintf(percent, sizeof percent, "%.1f", AStatus.Percent);
    std::string names;
    for (std::size_t i = 0; i < AInterfaces.size(); ++i)
        names += (i ? ", " : "") + JsonString(AInterfaces[i]);
    std::string out =
        "{\"period\": \"" + std::string(QuotaPeriodName(ASettings.Period)) +
        "\", \"first_day\": " + day(AStatus.Window.FirstDay) + ", \"last_day\": " + day(LastDayOf(AStatus.Window)) +
        ", \"days\": " + std::to_string(AStatus.Window.Days) + ", \"days_left\": " + std::to_string(AStatus.DaysLeft) +
        ", \"direction\": \"" + QuotaDirectionName(ASettings.Direction) + "\", \"interfaces\": [" + names +
        "], \"used\": " + std::to_string(AStatus.Used) + ", \"limit\": " + std::to_string(AStatus.Limit) +
        ", \"percent\": " + percent + ", \"over\": " + (AStatus.Over() ? "true" : "false") +
        ", \"per_day\": " + std::to_string(AStatus.PerDay) + ", \"forecast\": " + std::to_string(AStatus.Forecast) +
        ", \"allowance\": " + std::to_string(AStatus.Allowance) +
        ", \"history_starts\": " + (AStatus.Partial ? day(AStatus.HistoryFirstDay) : std::string("null")) + "}\n";
    return out;
}

} // namespace qn
