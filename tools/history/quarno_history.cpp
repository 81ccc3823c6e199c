// quarno-history: prints the traffic history as a table, CSV or JSON; reads the file read-only, so
// it works while Quarno records.
#include "history/history_period.h"
#include "history/history_report.h"
#include "history/history_store.h"
#include "platform/history_location.h"
#include "platform/settings_location.h"
#include "watcher/quantity_format.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace qn;

constexpr const char* Usage =
    "Usage: quarno-history [--hours | --days | --months | --years] [--interface NAME]\n"
    "                      [--csv | --json | --list] [--file PATH]\n"
    "Prints what every interface (or NAME) moved per period, from Quarno's traffic history.\n";

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
    std::string name, file;
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
        else if ((arg == "--interface" || arg == "--file") && i + 1 < argc)
            (arg == "--file" ? file : name) = argv[++i];
        else if (arg == "--help" || arg == "-h") {
            std::fputs(Usage, stdout);
            return 0;
        } else {
            std::fprintf(stderr, "quarno-history: unknown option %s\n%s", arg.c_str(), Usage);
            return 2;
        }
    }
    if (file.empty())
        file = HistoryFilePathForThisProgram(SettingsFilePathForThisProgram("Veldo", "Quarno"), "Veldo", "Quarno");

    THistoryStore store;
    std::string error;
    if (!store.OpenReadOnly(file, error)) {
        std::fprintf(stderr, "quarno-history: cannot read %s: %s\n", file.c_str(), error.c_str());
        return 1;
    }
    std::string out;
    if (format == List) {
        for (const std::string& n : store.InterfaceNames())
            out += n + '\n';
    } else {
        const std::vector<THistoryRow> rows = store.Query(period, name);
        out = format == Csv    ? HistoryCsv(period, rows)
              : format == Json ? HistoryJson(name, period, rows)
                               : Table(period, rows);
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
