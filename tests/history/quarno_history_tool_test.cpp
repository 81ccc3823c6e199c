// quarno-history as scripts run it: its CSV and JSON match the report, it reads while a recorder
// holds the file open, and it fails clearly without a file or with an unknown option.
#include "history/history_report.h"
#include "history/history_store.h"

#include "history/history_fakes.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace qn {
namespace {

struct TRun
{
    int Status = -1;
    std::string Out;
};

TRun RunTool(const std::string& AArguments)
{
    TRun run;
    const std::string command = std::string(QN_HISTORY_TOOL) + " " + AArguments + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    std::size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.Out.append(buffer, n);
    const int status = pclose(pipe);
    run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

TEST(QuarnoHistoryTool, PrintsTheReportWhileTheRecorderHoldsTheFileOpen)
{
    test::TPinnedZone zone;
    test::TTempFolder folder;
    const std::string path = folder.File("history.sqlite");
    THistoryStore writer;
    std::string moved, error;
    ASSERT_EQ(writer.OpenForWriting(path, moved, error), THistoryFailure::hfNone) << error;
    THistoryBatch batch;
    batch.Add("eth0", {2026120810, 20261208, 202612}, 5'000'000'000, 12);
    batch.Add("eth0", {2026120911, 20261209, 202612}, 1024, 0);
    batch.Add("wlan0", {2026120911, 20261209, 202612}, 1, 1);
    ASSERT_EQ(writer.Write(batch, error), THistoryFailure::hfNone);

    const TRun csv = RunTool("--days --csv --file " + path);
    EXPECT_EQ(csv.Status, 0);
    EXPECT_EQ(csv.Out, HistoryCsv(THistoryPeriod::hpDay, writer.Query(THistoryPeriod::hpDay)));
    const TRun json = RunTool("--hours --json --interface eth0 --file " + path);
    EXPECT_EQ(json.Status, 0);
    EXPECT_EQ(json.Out, HistoryJson("eth0", THistoryPeriod::hpHour, writer.Query(THistoryPeriod::hpHour, "eth0")));
    const TRun table = RunTool("--months --file " + path);
    EXPECT_EQ(table.Status, 0);
    EXPECT_NE(table.Out.find("2026-12"), std::string::npos) << table.Out;
    EXPECT_NE(table.Out.find("4.66 GB"), std::string::npos) << table.Out;
    EXPECT_EQ(RunTool("--list --file " + path).Out, "eth0\nwlan0\n");

    EXPECT_EQ(RunTool("--file " + folder.File("none.sqlite")).Status, 1);
    EXPECT_EQ(RunTool("--weeks --file " + path).Status, 2);
}

} // namespace
} // namespace qn
