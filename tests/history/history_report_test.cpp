// The history's texts for people and scripts: ISO periods, CSV with integer bytes, escaped JSON.
#include "history/history_report.h"

#include "history/history_period.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qn {
namespace {

TEST(HistoryTexts, PeriodsAreWrittenAsIsoDates)
{
    EXPECT_EQ(PeriodText(THistoryPeriod::hpHour, 2026120914), "2026-12-09T14:00");
    EXPECT_EQ(PeriodText(THistoryPeriod::hpHour, 2026120900, true), "2026-12-09 00:00");
    EXPECT_EQ(PeriodText(THistoryPeriod::hpDay, 20260301), "2026-03-01");
    EXPECT_EQ(PeriodText(THistoryPeriod::hpMonth, 202612), "2026-12");
    EXPECT_EQ(PeriodText(THistoryPeriod::hpYear, 2026), "2026");
}

TEST(HistoryTexts, CsvHasBytesAsIntegersAndJsonEscapesNames)
{
    const std::vector<THistoryRow> rows{{20261208, 5'000'000'000, 7}, {20261209, 0, 1}};
    EXPECT_EQ(HistoryCsv(THistoryPeriod::hpDay, rows),
              "period,download,upload,total\n2026-12-08,5000000000,7,5000000007\n2026-12-09,0,1,1\n");
    EXPECT_EQ(HistoryJson("", THistoryPeriod::hpYear, {}),
              "{\"interface\": null, \"period\": \"years\", \"rows\": []}\n");
    const std::string json = HistoryJson("we\"ird\xff", THistoryPeriod::hpMonth, {{202612, 1, 2}});
    EXPECT_NE(json.find("\"interface\": \"we\\\"ird\\u00ff\""), std::string::npos) << json;
    EXPECT_NE(json.find("{\"period\": \"2026-12\", \"download\": 1, \"upload\": 2, \"total\": 3}"), std::string::npos)
        << json;
}

} // namespace
} // namespace qn
