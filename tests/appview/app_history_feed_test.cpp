// The applications' session totals become the history's per-day bytes: each step's growth once,
// the rows named as the report expects, "Unattributed" as its own row.
#include "appview/app_history_feed.h"

#include "history/history_store.h"
#include "support/fake_clock.h"
#include "support/scripted_counters.h"
#include "support/socket_records.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace qn {
namespace {

using test::TcpSocket;

TEST(AppHistoryFeed, EachStepsGrowthIsRecordedOnceUnderTheNamesTheReportShows)
{
    setenv("TZ", "UTC0", 1);
    tzset();
    test::TTempFolder folder{"qn-apphistory"};
    const std::string path = folder.File("history.sqlite");
    test::TFakeClock clock;
    clock.Wall = 1781258400; // 2026-06-12 10:00 UTC
    test::TScriptedCounters counters;
    THistoryRecorder recorder(counters, clock, {path, 60000, 1000, 0});
    ASSERT_TRUE(recorder.Start());

    TCgroupDirectory directory{[](std::vector<TCgroupEntry>& AEntries) {
        AEntries = {{10, "/app.slice/app-gnome-org.example.Alpha-1.scope"},
                    {12, "/user.slice/user-0.slice/session-1.scope"}};
        return TCgroupSupport::csAvailable;
    }};
    TAppTraffic traffic{directory, 0};
    TAppHistoryFeed feed;
    feed.AppName = [](const std::string& AId) { return AId == "org.example.Alpha" ? "Alpha Browser" : AId; };

    traffic.Update({1000, {TcpSocket(1, 10, 0, 0), TcpSocket(2, 12, 0, 0)}}, {}, {true, 1000, 0, 0});
    feed.Record(traffic, recorder);
    traffic.Update({2000, {TcpSocket(1, 10, 3000, 100), TcpSocket(2, 12, 50, 0)}}, {}, {true, 2000, 4000, 200});
    feed.Record(traffic, recorder);
    feed.Record(traffic, recorder); // no step in between: nothing more
    traffic.Update({3000, {TcpSocket(1, 10, 4000, 100), TcpSocket(2, 12, 50, 0)}}, {}, {true, 3000, 5000, 200});
    feed.Record(traffic, recorder);
    // A late close event books 500 more to Alpha with no more on the uplinks: "Unattributed" shrinks
    // by as much, which takes nothing back, and only its growth after that counts.
    traffic.Update({4000, {TcpSocket(2, 12, 50, 0)}}, {{1, 4500, 100}}, {true, 4000, 5000, 200});
    feed.Record(traffic, recorder);
    traffic.Update({5000, {TcpSocket(2, 12, 50, 0)}}, {}, {true, 5000, 5070, 200});
    feed.Record(traffic, recorder);
    recorder.Stop();

    THistoryStore store;
    std::string error;
    ASSERT_TRUE(store.OpenReadOnly(path, error)) << error;
    EXPECT_EQ(store.QueryApps(20260612, 20260612),
              (std::vector<THistoryAppRow>{{1, "org.example.Alpha", "Alpha Browser", 4500, 100},
                                           {3, "session", "Other programs of this session", 50, 0},
                                           {0, "", "Unattributed", 1020, 100}}));
}

} // namespace
} // namespace qn
