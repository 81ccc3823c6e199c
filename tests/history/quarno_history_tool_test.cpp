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

// --apps prints the current day's, month's or year's applications, the most first, with their ID
// and name; "Unattributed" is a row of its own, and a name with a comma or quote survives CSV.
TEST(QuarnoHistoryTool, AppsPrintsEachApplicationOfThePeriodAsTableCsvAndJson)
{
    test::TPinnedZone zone;
    test::TTempFolder folder;
    const std::string path = folder.File("history.sqlite");
    THistoryStore writer;
    std::string moved, error;
    ASSERT_EQ(writer.OpenForWriting(path, moved, error), THistoryFailure::hfNone) << error;
    const TBucketKeys now = LocalBucketKeys(static_cast<std::int64_t>(std::time(nullptr)));
    const std::int64_t lastYear = now.Day - 10000; // the same date a year ago
    THistoryBatch batch;
    batch.AddApp({1, "org.example.Alpha", now.Day}, "Alpha", 3'000'000, 3'000'000);
    batch.AddApp({1, "org.example.Beta", now.Day}, "Beta, \"the\" client", 7'000'000, 7'000'000);
    batch.AddApp({0, "", now.Day}, "Unattributed", 2'000'000, 0);
    batch.AddApp({2, "backup", lastYear}, "backup", 50'000'000, 0);
    ASSERT_EQ(writer.Write(batch, error), THistoryFailure::hfNone) << error;

    const std::vector<THistoryAppRow> today = writer.QueryApps(now.Day, now.Day);
    ASSERT_EQ(today.size(), 3u);
    EXPECT_EQ(today[0].Id, "org.example.Beta");
    const TRun json = RunTool("--apps --days --json --file " + path);
    EXPECT_EQ(json.Status, 0);
    EXPECT_EQ(json.Out, AppsJson(THistoryPeriod::hpDay, now.Day, today));
    EXPECT_NE(json.Out.find("{\"kind\": \"application\", \"id\": \"org.example.Alpha\", \"name\": \"Alpha\", "
                            "\"download\": 3000000, \"upload\": 3000000, \"total\": 6000000}"),
              std::string::npos)
        << json.Out;
    EXPECT_NE(json.Out.find("{\"kind\": \"unattributed\", \"id\": \"\", \"name\": \"Unattributed\""), std::string::npos)
        << json.Out;

    const TRun csv = RunTool("--apps --csv --file " + path); // days unless told otherwise
    EXPECT_EQ(csv.Status, 0);
    const std::string day = PeriodText(THistoryPeriod::hpDay, now.Day);
    EXPECT_EQ(csv.Out, "period,kind,id,name,download,upload,total\n" + day +
                           ",application,org.example.Beta,\"Beta, \"\"the\"\" client\",7000000,7000000,14000000\n" +
                           day + ",application,org.example.Alpha,Alpha,3000000,3000000,6000000\n" + day +
                           ",unattributed,,Unattributed,2000000,0,2000000\n");

    // Last year's service is in no period of this year.
    const TRun year = RunTool("--apps --years --json --file " + path);
    EXPECT_EQ(year.Out, AppsJson(THistoryPeriod::hpYear, now.Month / 100, today));
    EXPECT_EQ(year.Out.find("backup"), std::string::npos) << year.Out;

    const TRun table = RunTool("--apps --months --file " + path);
    EXPECT_EQ(table.Status, 0);
    EXPECT_EQ(table.Out.rfind("Applications, " + PeriodText(THistoryPeriod::hpMonth, now.Month) + " (uplinks):\n", 0),
              0u)
        << table.Out;
    for (const char* text : {"Beta, \"the\" client  org.example.Beta", "Unattributed        -", "13.35 MB"})
        EXPECT_NE(table.Out.find(text), std::string::npos) << text << "\n" << table.Out;

    EXPECT_EQ(RunTool("--apps --hours --file " + path).Status, 2);
    EXPECT_EQ(RunTool("--apps --interface eth0 --file " + path).Status, 2);
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
