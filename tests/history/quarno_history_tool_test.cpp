// quarno-history as scripts run it: its CSV and JSON match the report, it reads while a recorder
// holds the file open, and it fails clearly without a file or with an unknown option.
#include "history/history_report.h"
#include "history/history_store.h"
#include "platform/ini_file.h"

#include "history/history_fakes.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
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

TEST(QuarnoHistoryTool, TheQuotaReportCountsTheUplinksAndItsExitStatusSaysWhetherTheCapIsReached)
{
    test::TPinnedZone zone;
    test::TTempFolder folder;
    const std::string path = folder.File("history.sqlite");
    const std::string settings = folder.File("quarno.ini");
    THistoryStore writer;
    std::string moved, error;
    ASSERT_EQ(writer.OpenForWriting(path, moved, error), THistoryFailure::hfNone) << error;
    const TBucketKeys today = LocalBucketKeys(static_cast<std::int64_t>(std::time(nullptr)));
    THistoryBatch batch;
    batch.Add("qeth9", today, 500'000, 100'000);
    batch.Add("lo", today, 50'000'000, 50'000'000);
    batch.Classes = {{"qeth9", TInterfaceClass::icPhysical}, {"lo", TInterfaceClass::icLoopback}};
    ASSERT_EQ(writer.Write(batch, error), THistoryFailure::hfNone) << error;
    const std::string files = " --file " + path + " --settings " + settings;

    // No cap set: nothing to exceed.
    TRun run = RunTool("--quota" + files);
    EXPECT_EQ(run.Status, 0);
    EXPECT_NE(run.Out.find("No data cap"), std::string::npos) << run.Out;

    IniWriteString(settings, "Quota", "Limit", "1000000");
    IniWriteString(settings, "Quota", "Period", "day");
    IniWriteString(settings, "Quota", "Warn", "never"); // a bad value is told, and the rest still holds
    run = RunTool("--quota --json" + files);
    EXPECT_EQ(run.Status, 0) << run.Out;
    // The host's own uplinks may be listed too (they have no traffic here); the loopback never is.
    EXPECT_NE(run.Out.find("\"interfaces\": [\"qeth9\""), std::string::npos) << run.Out;
    EXPECT_EQ(run.Out.find("\"lo\""), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("\"used\": 600000, \"limit\": 1000000, \"percent\": 60.0, \"over\": false"),
              std::string::npos)
        << run.Out;
    run = RunTool("--quota" + files);
    EXPECT_NE(run.Out.find("60.0 %"), std::string::npos) << run.Out;

    THistoryBatch more;
    more.Add("qeth9", today, 400'000, 0);
    ASSERT_EQ(writer.Write(more, error), THistoryFailure::hfNone) << error;
    run = RunTool("--quota --json" + files);
    EXPECT_EQ(run.Status, 1) << run.Out;
    EXPECT_NE(run.Out.find("\"over\": true"), std::string::npos) << run.Out;

    // The day report sums the uplinks unless every interface is asked for.
    const std::string uplinks = RunTool("--days --csv --file " + path).Out;
    EXPECT_NE(uplinks.find(",900000,100000,1000000"), std::string::npos) << uplinks;
    const std::string every = RunTool("--days --csv --every --file " + path).Out;
    EXPECT_NE(every.find(",50900000,50100000,101000000"), std::string::npos) << every;

    // A history that cannot be read, or options that do not go together: status 2.
    EXPECT_EQ(RunTool("--quota --file " + folder.File("none.sqlite") + " --settings " + settings).Status, 2);
    EXPECT_EQ(RunTool("--quota --csv" + files).Status, 2);
    EXPECT_EQ(RunTool("--every --interface lo" + files).Status, 2);
}

} // namespace
} // namespace qn
