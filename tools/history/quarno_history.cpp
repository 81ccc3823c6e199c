// quarno-history: prints the traffic history as a table, CSV or JSON; reads the file read-only, so
// it works while Quarno records.
#include "history/history_period.h"
#include "history/history_report.h"
#include "history/history_store.h"
#include "history/interface_class.h"
#include "history/quota_status.h"
#include "platform/history_location.h"
#include "platform/ini_file.h"
#include "platform/settings_location.h"
#include "texts/quantity_format.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace qn;

constexpr const char* Usage =
    "Usage: quarno-history [--hours | --days | --months | --years] [--interface NAME | --every]\n"
    "                      [--csv | --json | --list] [--file PATH]\n"
    "       quarno-history --apps [--days | --months | --years] [--csv | --json] [--file PATH]\n"
    "       quarno-history --quota [--json] [--file PATH] [--settings PATH]\n"
    "Prints what the uplinks (or every interface, or NAME) moved per period, from Quarno's traffic\n"
    "history; with --apps, what each application moved on the uplinks today, this month or this\n"
    "year, the most first; with --quota, where the data cap stands (exit status 1 at or over the cap).\n";

std::string Bytes(std::uint64_t AValue)
{
    return FormatBytes(static_cast<double>(AValue));
}

std::string QuotaText(const TQuotaSettings& ASettings, const TQuotaStatus& AStatus,
                      const std::vector<std::string>& ANames)
{
    const auto day = [](std::int64_t AKey) { return PeriodText(THistoryPeriod::hpDay, AKey); };
    char percent[32];
    std::snprintf(percent, sizeof percent, "%.1f %%", AStatus.Percent);
    std::string names;
    for (const std::string& name : ANames)
        names += (names.empty() ? "" : ", ") + name;
    const std::string range = AStatus.Window.Days == 1
                                  ? day(AStatus.Window.FirstDay)
                                  : "from " + day(AStatus.Window.FirstDay) + " to " + day(LastDayOf(AStatus.Window));
    std::string out = "Period:    " + std::string(QuotaPeriodName(ASettings.Period)) + " " + range + ", " +
                      std::to_string(AStatus.DaysLeft) + (AStatus.DaysLeft == 1 ? " day" : " days") + " left\n";
    out += "Counted:   " + std::string(QuotaDirectionName(ASettings.Direction)) + " of " +
           (names.empty() ? std::string("no interface") : names) + "\n";
    out += "Used:      " + Bytes(AStatus.Used) + " of " + Bytes(AStatus.Limit) + " (" + percent + ")" +
           (AStatus.Over() ? ", the cap is reached" : "") + "\n";
    out += "Pace:      " + Bytes(AStatus.PerDay) + " a day, " + Bytes(AStatus.Forecast) + " by the period's end\n";
    out += "Per day:   " + Bytes(AStatus.Allowance) + " may be used a day from now on\n";
    if (AStatus.Partial)
        out += "Note:      the history starts on " + day(AStatus.HistoryFirstDay) +
               ", inside this period; what was used before is not counted\n";
    return out;
}

// --quota: 0 under the cap (or none set), 1 at or over it, 2 when a file cannot be read.
int PrintQuota(const std::string& AFile, const std::string& ASettings, bool AJson)
{
    std::string message;
    const TQuotaSettings settings =
        ReadQuotaSettings([&](std::string_view AKey) { return IniReadValue(ASettings, QuotaSection, AKey); }, message);
    if (!message.empty())
        std::fprintf(stderr, "quarno-history: %s\n", message.c_str());
    if (!settings.Enabled()) {
        std::printf(AJson ? "{\"limit\": 0}\n" : "No data cap is set (Limit in the [Quota] section of %s).\n",
                    ASettings.c_str());
        return std::fflush(stdout) == 0 ? 0 : 2;
    }
    THistoryStore store;
    std::string error;
    if (!store.OpenReadOnly(AFile, error)) {
        std::fprintf(stderr, "quarno-history: cannot read %s: %s\n", AFile.c_str(), error.c_str());
        return 2;
    }
    const std::vector<std::string> names = QuotaInterfaces(settings, store, PresentInterfaceClasses());
    const TQuotaStatus status =
        StoredQuotaStatus(store, settings, names, static_cast<std::int64_t>(std::time(nullptr)));
    const std::string out = AJson ? QuotaJson(settings, status, names) : QuotaText(settings, status, names);
    std::fwrite(out.data(), 1, out.size(), stdout);
    if (std::fflush(stdout) != 0)
        return 2;
    return status.Over() ? 1 : 0;
}

std::string Table(THistoryPeriod APeriod, const std::vector<THistoryRow>& ARows)
{
    std::vector<std::vector<std::string>> cells{{"Period", "Download", "Upload", "Total"}};
    for (const THistoryRow& row : ARows)
        cells.push_back({PeriodText(APeriod, row.Key, true), FormatBytes(static_cast<double>(row.Download)),
                         FormatBytes(static_cast<double>(row.Upload)), FormatBytes(static_cast<double>(row.Total()))});
    std::size_t widths[4] = {};
    for (const auto& line : cells)
        for (std::size_t c = 0; c < 4; ++c)
            widths[c] = std::max(widths[c], line[c].size());
    std::string out;
    for (const auto& line : cells) {
        for (std::size_t c = 0; c < 4; ++c) {
            const std::string pad(widths[c] - line[c].size(), ' ');
            out += c == 0 ? line[c] + pad : "  " + pad + line[c]; // the period left, the bytes right
        }
        out += '\n';
    }
    return out;
}

// --apps as a table: name, ID, the bytes; "Unattributed" is a row of its own.
std::string AppsTable(THistoryPeriod APeriod, std::int64_t AKey, const std::vector<THistoryAppRow>& ARows)
{
    std::string out = "Applications, " + PeriodText(APeriod, AKey) + " (uplinks):\n";
    if (ARows.empty())
        return out + "No traffic recorded per application.\n";
    std::vector<std::vector<std::string>> cells{{"Application", "ID", "Download", "Upload", "Total"}};
    for (const THistoryAppRow& row : ARows)
        cells.push_back({row.Kind == 0      ? std::string("Unattributed")
                         : row.Name.empty() ? row.Id
                                            : row.Name,
                         row.Id.empty() ? std::string("-") : row.Id, Bytes(row.Download), Bytes(row.Upload),
                         Bytes(row.Total())});
    std::size_t widths[5] = {};
    for (const auto& line : cells)
        for (std::size_t c = 0; c < 5; ++c)
            widths[c] = std::max(widths[c], line[c].size());
    for (const auto& line : cells) {
        for (std::size_t c = 0; c < 5; ++c) {
            const std::string pad(widths[c] - line[c].size(), ' ');
            out += c == 0 ? line[c] + pad : c == 1 ? "  " + line[c] + pad : "  " + pad + line[c];
        }
        out += '\n';
    }
    return out;
}

// The bucket of APeriod that holds today.
std::int64_t CurrentKey(THistoryPeriod APeriod)
{
    const TBucketKeys keys = LocalBucketKeys(static_cast<std::int64_t>(std::time(nullptr)));
    return APeriod == THistoryPeriod::hpDay     ? keys.Day
           : APeriod == THistoryPeriod::hpMonth ? keys.Month
                                                : keys.Month / 100;
}

} // namespace

int main(int argc, char** argv)
{
    THistoryPeriod period = THistoryPeriod::hpDay;
    enum
    {
        Text,
        Csv,
        Json,
        List
    } format = Text;
    std::string name, file, settingsFile;
    bool quota = false, every = false, apps = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--hours")
            period = THistoryPeriod::hpHour;
        else if (arg == "--days")
            period = THistoryPeriod::hpDay;
        else if (arg == "--months")
            period = THistoryPeriod::hpMonth;
        else if (arg == "--years")
            period = THistoryPeriod::hpYear;
        else if (arg == "--csv")
            format = Csv;
        else if (arg == "--json")
            format = Json;
        else if (arg == "--list")
            format = List;
        else if (arg == "--quota")
            quota = true;
        else if (arg == "--apps")
            apps = true;
        else if (arg == "--every")
            every = true;
        else if ((arg == "--interface" || arg == "--file") && i + 1 < argc)
            (arg == "--file" ? file : name) = argv[++i];
        else if (arg == "--settings" && i + 1 < argc)
            settingsFile = argv[++i];
        else if (arg == "--help" || arg == "-h") {
            std::fputs(Usage, stdout);
            return 0;
        } else {
            std::fprintf(stderr, "quarno-history: unknown option %s\n%s", arg.c_str(), Usage);
            return 2;
        }
    }
    if (quota && (format == Csv || format == List || every || !name.empty())) {
        std::fprintf(stderr, "quarno-history: --quota takes only --json, --file and --settings\n%s", Usage);
        return 2;
    }
    if (apps && (quota || format == List || every || !name.empty() || period == THistoryPeriod::hpHour)) {
        std::fprintf(
            stderr, "quarno-history: --apps takes only --days, --months, --years, --csv, --json and --file\n%s", Usage);
        return 2;
    }
    if (every && !name.empty()) {
        std::fprintf(stderr, "quarno-history: --every and --interface exclude each other\n%s", Usage);
        return 2;
    }
    // Quarno's own settings file: this tool's folder for settings (beside it when portable), under
    // the program's name.
    if (settingsFile.empty())
        settingsFile =
            std::filesystem::path(SettingsFilePathForThisProgram("Veldo", "Quarno")).replace_filename("quarno.ini");
    if (file.empty())
        file = HistoryFilePathForThisProgram(settingsFile, "Veldo", "Quarno");
    if (quota)
        return PrintQuota(file, settingsFile, format == Json);

    THistoryStore store;
    std::string error;
    if (!store.OpenReadOnly(file, error)) {
        std::fprintf(stderr, "quarno-history: cannot read %s: %s\n", file.c_str(), error.c_str());
        return 1;
    }
    std::string out;
    if (apps) {
        const std::int64_t key = CurrentKey(period);
        const auto [first, last] = DaysOfPeriod(period, key);
        const std::vector<THistoryAppRow> rows = store.QueryApps(first, last);
        out = format == Csv    ? AppsCsv(period, key, rows)
              : format == Json ? AppsJson(period, key, rows)
                               : AppsTable(period, key, rows);
    } else if (format == List) {
        for (const std::string& n : store.InterfaceNames())
            out += n + '\n';
    } else {
        // "All" is the uplinks: loopback, virtual and tunnel traffic also crosses an uplink.
        const std::vector<THistoryRow> rows =
            !name.empty() || every
                ? store.Query(period, name)
                : store.QueryNames(
                      period, UplinkNames(store.InterfaceNames(), store.InterfaceClasses(), PresentInterfaceClasses()));
        out = format == Csv    ? HistoryCsv(period, rows)
              : format == Json ? HistoryJson(name, period, rows)
                               : Table(period, rows);
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
