// Whole runs of sampling ticks on a fake clock and fake counters.
#include "watcher/watcher_statistics.h"

#include "netdata/ip_helper_counter_source.h"
#include "netdata/traffic_counter_pass.h"

#include "support/fake_clock.h"
#include "support/pinned_format.h"
#include "support/scripted_counters.h"

#include <gtest/gtest.h>

namespace qn {
namespace {

using test::TPinnedFormat;

constexpr std::uint64_t GiB = 1024ull * 1024 * 1024;

class WatcherRun : public testing::Test
{
protected:
    TPinnedFormat Pin{"."};
    test::TFakeClock Clock{7000};
    test::TScriptedCounters Counters{{1000000, 500000, false}, Clock};
    TWatcherChartModel Chart;
    TWatcherStatistics Stats{Counters, Clock, Chart};

    // One second passes, the counters move by the given amounts (modulo 2^32 when narrow), one tick.
    void Tick(std::uint64_t AIn, std::uint64_t AOut, int AUnits = 0, std::uint64_t AMs = 1000)
    {
        Clock.Ms += AMs;
        Counters.Value.InOctets += AIn;
        Counters.Value.OutOctets += AOut;
        if (!Counters.Value.Wide) {
            Counters.Value.InOctets &= 0xFFFFFFFFu;
            Counters.Value.OutOctets &= 0xFFFFFFFFu;
        }
        Stats.TimerTimer(AUnits);
    }
    std::string ReadOut(TWatcherStatistics::TReadOut AWhich) const { return Stats.ReadOuts()[AWhich]; }
    double LastDownloadValue() const { return Chart.Download.Y(Chart.Download.Count() - 1); }
};

TEST_F(WatcherRun, FirstTickTakesTheBaselineAndShowsNoTraffic)
{
    Stats.Initialize();
    Stats.TimerTimer(0);
    EXPECT_EQ(Stats.ViewLength, 300u);
    EXPECT_EQ(Stats.RateDL(), 0.0);
    EXPECT_EQ(Stats.TDL, 0u);
    EXPECT_EQ(ReadOut(TWatcherStatistics::roDL), "0.00 B");
    EXPECT_EQ(ReadOut(TWatcherStatistics::roDLTotal), "976.56 KB"); // the OS counter itself
    EXPECT_EQ(Chart.Download.Count(), 1);
    EXPECT_EQ(Chart.Upload.Count(), 1);
    EXPECT_DOUBLE_EQ(Chart.Bottom.Min(), Clock.Now());
    EXPECT_NEAR((Chart.Bottom.Max() - Chart.Bottom.Min()) * 86400.0, 300.0, 1e-6);
    EXPECT_FALSE(Chart.Bottom.AutoMin());
}

TEST_F(WatcherRun, SteadyTrafficGivesTheExactRateInBothUnits)
{
    Stats.TimerTimer(0);
    for (int i = 0; i < 10; ++i)
        Tick(1536, 768);
    EXPECT_EQ(Stats.RateDL(), 1536.0);
    EXPECT_EQ(Stats.RateUL(), 768.0);
    EXPECT_EQ(Stats.TDL, 15360u);
    EXPECT_EQ(Stats.TUL, 7680u);
    const std::array<std::string, 8> expected{"1.50 KB",   "768.00 B",  "1.50 KB",  "768.00 B",
                                              "991.56 KB", "495.78 KB", "15.00 KB", "7.50 KB"};
    EXPECT_EQ(Stats.ReadOuts(), expected);
    EXPECT_DOUBLE_EQ(LastDownloadValue(), 1.5); // KiB/s on the chart

    Tick(1536, 768, 1);
    EXPECT_EQ(ReadOut(TWatcherStatistics::roDL), "12.29 Kbps");
    EXPECT_EQ(ReadOut(TWatcherStatistics::roUL), "6.14 Kbps");
    EXPECT_EQ(ReadOut(TWatcherStatistics::roTDL), "16.50 KB"); // totals always in bytes
    EXPECT_FLOAT_EQ(LastDownloadValue(), 12.288);              // kbit/s on the chart, kept as a float

    // Two seconds between readings halve the rate. A reading from the same millisecond as the last
    // gives no rate (the last one stands), but what it moved counts.
    Tick(3072, 0, 0, 2000);
    EXPECT_EQ(Stats.RateDL(), 1536.0);
    Tick(100, 0, 0, 0);
    EXPECT_EQ(Stats.RateDL(), 1536.0);
    EXPECT_EQ(Stats.TDL, 16896u + 3072u + 100u);

    // Any other units index: no current or maximum texts, bytes per second on the chart.
    Tick(2048, 0, 2);
    EXPECT_EQ(ReadOut(TWatcherStatistics::roDL), "");
    EXPECT_EQ(ReadOut(TWatcherStatistics::roDLMax), "");
    EXPECT_EQ(ReadOut(TWatcherStatistics::roDLTotal), "998.16 KB");
    EXPECT_DOUBLE_EQ(LastDownloadValue(), 2048.0);
}

TEST_F(WatcherRun, A32BitWrapIsAbsorbedAndTotalsKeepCountingPast4GiB)
{
    Counters.Value = {4294967000u, 10, false};
    Stats.TimerTimer(0);
    Tick(496, 0); // reads 200
    EXPECT_EQ(Counters.Value.InOctets, 200u);
    EXPECT_EQ(Stats.RateDL(), 496.0);
    EXPECT_EQ(Stats.TDL, 496u);

    // Three GiB a second on a 32-bit counter: every difference wraps, the total does not.
    for (int i = 0; i < 3; ++i)
        Tick(3 * GiB, 0);
    EXPECT_EQ(Stats.TDL, 9 * GiB + 496);
    EXPECT_EQ(ReadOut(TWatcherStatistics::roTDL), "9.00 GB");
    EXPECT_EQ(Stats.MDL, 3.0 * GiB);
}

TEST_F(WatcherRun, WideCountersCarryTotalsAndAResetStartsANewBaselineWithoutASpike)
{
    Counters.Value = {10 * GiB, 4 * GiB, true};
    Stats.TimerTimer(0);
    Tick(5 * GiB, 1000);
    EXPECT_EQ(Stats.TDL, 5 * GiB);
    EXPECT_EQ(ReadOut(TWatcherStatistics::roDLTotal), "15.00 GB");

    // The interface was re-created: download restarts low, upload goes on.
    Clock.Ms += 1000;
    Counters.Value.InOctets = 4096;
    Counters.Value.OutOctets += 2000;
    Stats.TimerTimer(0);
    EXPECT_EQ(Stats.RateDL(), 0.0);
    EXPECT_EQ(Stats.RateUL(), 2000.0);
    EXPECT_EQ(Stats.TDL, 5 * GiB);
    EXPECT_EQ(Stats.MDL, 5.0 * GiB);
    Tick(1024, 0);
    EXPECT_EQ(Stats.RateDL(), 1024.0);
    EXPECT_EQ(Stats.DL, 5120u);
}

TEST_F(WatcherRun, AFailedReadDropsTheBaselineAndTheNextTickShowsNoSpike)
{
    Stats.TimerTimer(0);
    Tick(1536, 1536);
    const double mdl = Stats.MDL;
    const std::uint64_t tdl = Stats.TDL, tul = Stats.TUL;

    Counters.Fail = true;
    Tick(1536, 1536);
    EXPECT_EQ(Stats.DL, 0u);
    EXPECT_EQ(Stats.UL, 0u);
    for (auto which : {TWatcherStatistics::roDL, TWatcherStatistics::roUL, TWatcherStatistics::roDLTotal,
                       TWatcherStatistics::roULTotal})
        EXPECT_EQ(ReadOut(which), "0.00 B");
    EXPECT_EQ(LastDownloadValue(), 0.0);
    Tick(0, 0, 1);
    EXPECT_EQ(ReadOut(TWatcherStatistics::roDL), "0.00 bps");
    EXPECT_EQ(Stats.MDL, mdl);
    EXPECT_EQ(Stats.TDL, tdl);
    EXPECT_EQ(Stats.TUL, tul);

    // The interface is back with counters far ahead: a fresh baseline, not a burst.
    Counters.Fail = false;
    Tick(50 * 1048576, 0);
    EXPECT_EQ(Stats.RateDL(), 0.0);
    EXPECT_EQ(Stats.TDL, tdl);
    Tick(1024, 0);
    EXPECT_EQ(Stats.RateDL(), 1024.0);
    EXPECT_EQ(Stats.MDL, mdl);
}

TEST_F(WatcherRun, AFreshWideLinkAtZeroCountsItsFirstTrafficWhileANarrowZeroReadIsAFailedOne)
{
    // The panel and the history share the rule: a 64-bit 0 and 0 is a new link's baseline.
    Counters.Value = {0, 0, true};
    Stats.TimerTimer(0);
    Tick(1024, 512);
    EXPECT_EQ(Stats.TDL, 1024u);
    EXPECT_EQ(Stats.TUL, 512u);
    EXPECT_EQ(Stats.RateDL(), 1024.0);

    // A 32-bit 0 and 0 drops the baseline: the next read takes a new one and counts nothing.
    Counters.Value = {0, 0, false};
    Tick(0, 0);
    EXPECT_EQ(Stats.DL, 0u);
    Tick(3000, 0);
    EXPECT_EQ(Stats.TDL, 1024u);
    EXPECT_EQ(Stats.RateDL(), 0.0);
    Tick(2048, 0);
    EXPECT_EQ(Stats.TDL, 3072u);
    EXPECT_EQ(Stats.RateDL(), 2048.0);
}

TEST_F(WatcherRun, AFailedBaselineReadFollowedByAGoodOneShowsNoSpike)
{
    for (bool wide : {false, true}) {
        Counters.Value = {3'000'000'000u, 7'000'000u, wide};
        Stats.TimerTimer(0);
        Tick(1024, 0);
        const std::uint64_t tdl = Stats.TDL, tul = Stats.TUL;
        Counters.Fail = true;
        Tick(0, 0); // the interface went away: baseline dropped
        Counters.Fail = false;
        Counters.FailNext = 1; // the next read fails too, the one after it is a new baseline
        Tick(1, 1);
        Tick(4096, 4096);
        EXPECT_EQ(Stats.RateDL(), 0.0) << wide;
        EXPECT_EQ(Stats.RateUL(), 0.0) << wide;
        EXPECT_EQ(Stats.TDL, tdl);
        EXPECT_EQ(Stats.TUL, tul);
        Tick(2048, 0);
        EXPECT_EQ(Stats.RateDL(), 2048.0) << wide;
        EXPECT_EQ(Stats.TDL, tdl + 2048);
    }
}

TEST_F(WatcherRun, MaximaAreKeptInBytesAcrossAUnitsChange)
{
    Stats.TimerTimer(0);
    Tick(1500000, 0, 0);
    EXPECT_EQ(ReadOut(TWatcherStatistics::roDLMax), "1.43 MB");
    Tick(1000, 0, 1);
    EXPECT_EQ(ReadOut(TWatcherStatistics::roDLMax), "12.00 Mbps");
    EXPECT_EQ(ReadOut(TWatcherStatistics::roDL), "8.00 Kbps");
    EXPECT_EQ(Stats.MDL, 1500000.0);
}

TEST_F(WatcherRun, TheValueAxisGrowsAtOnceAndShrinks301TicksLaterNeverBelow10)
{
    Stats.TimerTimer(0);
    for (int i = 0; i < 700; ++i) {
        Tick(0, 0); // a quiet link
        ASSERT_EQ(Chart.Left.Max(), 10.0);
    }
    Tick(5000 * 1024, 0); // a one-tick burst of 5000 KiB/s
    EXPECT_EQ(Chart.Left.Max(), 5000.0);
    EXPECT_EQ(Chart.Right.Max(), 5000.0);
    EXPECT_EQ(Chart.Left.Min(), 0.0);
    for (int i = 1; i <= 300; ++i) {
        Tick(i % 2 ? 50 * 1024 : 20 * 1024, 0);
        ASSERT_EQ(Chart.Left.Max(), 5000.0) << "tick " << i;
    }
    Tick(0, 0);
    EXPECT_EQ(Chart.Left.Max(), 50.0); // the largest value of the last period
    EXPECT_EQ(Chart.Right.Max(), 50.0);

    // A period of tiny traffic shrinks to 10, not below.
    for (int i = 0; i < 301; ++i)
        Tick(2048, 0);
    EXPECT_EQ(Chart.Left.Max(), 10.0);

    // A view reset just after a rescale asks for 0 to 0 and gets 0 to 1; the next traffic grows it.
    Tick(40 * 1024, 0);
    EXPECT_EQ(Chart.Left.Max(), 40.0);
    EXPECT_EQ(Stats.MS, 0.0);
    Stats.ResetView();
    EXPECT_EQ(Chart.Left.Min(), 0.0);
    EXPECT_EQ(Chart.Left.Max(), 1.0);
    Tick(3 * 1024, 0);
    EXPECT_EQ(Chart.Left.Max(), 3.0);
}

TEST_F(WatcherRun, TheTimeWindowScrollsOneSecondPerTickAndKeepsAPannedOffset)
{
    Stats.TimerTimer(0);
    const double second = TWatcherStatistics::OneSecond;
    for (int i = 0; i < 400; ++i)
        Tick(0, 0);
    EXPECT_LE(Chart.Bottom.Max(), Clock.Now() + 1e-9);
    EXPECT_GT(Chart.Bottom.Max(), Clock.Now() - second);
    EXPECT_NEAR((Chart.Bottom.Max() - Chart.Bottom.Min()) / second, 300.0, 1e-6);

    Chart.Bottom.MoveMinMax(-60 * second); // panned back a minute
    for (int i = 0; i < 100; ++i)
        Tick(0, 0);
    EXPECT_NEAR((Clock.Now() - Chart.Bottom.Max()) / second, 60.0, 1.0);

    Stats.ResetView();
    EXPECT_DOUBLE_EQ(Chart.Bottom.Min(), Clock.Now());
    EXPECT_NEAR((Chart.Bottom.Max() - Chart.Bottom.Min()) / second, 300.0, 1e-6);
}

TEST_F(WatcherRun, AfterADayOfTicksBothSeriesStayAtADayOfPoints)
{
    Stats.TimerTimer(0);
    for (int i = 0; i < TWatcherStatistics::MaxPoints + 10; ++i)
        Tick(1024, 512);
    EXPECT_EQ(Chart.Download.Count(), TWatcherStatistics::MaxPoints);
    EXPECT_EQ(Chart.Upload.Count(), TWatcherStatistics::MaxPoints);
    // The oldest points went: the series now starts 11 ticks after the first.
    EXPECT_NEAR((Chart.Download.X(0) - Chart.Download.X(1)) * 86400.0, -1.0, 1e-3);
    EXPECT_NEAR((Chart.Download.X(Chart.Download.Count() - 1) - Chart.Download.X(0)) * 86400.0, 86399.0, 1e-3);
}

TEST_F(WatcherRun, AChangedAdapterIndexStartsANewBaselineAndKeepsTheTotals)
{
    Stats.Adapter.IntfIdx = 3;
    Stats.TimerTimer(0);
    EXPECT_EQ(Counters.LastIntfIdx, 3u);
    Tick(1024, 0);
    // The name moved to another link (re-created, or two links swapped names): its counters are
    // not comparable with the old baseline, however far apart they are.
    Stats.Adapter.IntfIdx = 7;
    Tick(5000000000ull, 0);
    EXPECT_EQ(Counters.LastIntfIdx, 7u);
    EXPECT_EQ(Stats.TDL, 1024u);
    EXPECT_EQ(Stats.RateDL(), 0.0);
    EXPECT_EQ(Stats.MDL, 1024.0);
    Tick(2048, 0);
    EXPECT_EQ(Stats.TDL, 3072u);
    EXPECT_EQ(Stats.RateDL(), 2048.0);
}

TEST_F(WatcherRun, AnAbsentInterfaceCountsNothingAndReturnsWithoutASpike)
{
    Stats.TimerTimer(0);
    Tick(1024, 512);
    Stats.Present = false; // the index now belongs to another link, or the name is gone
    const int reads = Counters.Reads;
    Tick(1000000, 1000000);
    Tick(1000000, 1000000);
    EXPECT_EQ(Counters.Reads, reads); // the other link's counters are never read
    EXPECT_EQ(Stats.TDL, 1024u);
    EXPECT_EQ(Stats.TUL, 512u);
    EXPECT_EQ(Stats.RateDL(), 0.0);
    EXPECT_EQ(ReadOut(TWatcherStatistics::roDLTotal), "0.00 B");
    EXPECT_EQ(ReadOut(TWatcherStatistics::roTDL), "1.00 KB");
    EXPECT_EQ(Chart.Download.Count(), 4); // the chart goes on with zero points
    EXPECT_EQ(Chart.Download.Y(3), 0.0);
    Stats.Present = true;
    Tick(4096, 0);
    EXPECT_EQ(Stats.TDL, 1024u); // the first tick back takes the baseline
    EXPECT_EQ(Stats.MDL, 1024.0);
    Tick(4096, 0);
    EXPECT_EQ(Stats.TDL, 5120u);
}

TEST_F(WatcherRun, ClearingTheSessionTotalsKeepsMaximaBaselineAndChart)
{
    Stats.TimerTimer(0);
    Tick(4096, 2048);
    const auto dl = Stats.DL;
    Stats.ClearSessionTotals();
    EXPECT_EQ(Stats.TDL, 0u);
    EXPECT_EQ(Stats.TUL, 0u);
    EXPECT_EQ(Stats.DL, dl);
    EXPECT_EQ(Stats.MDL, 4096.0);
    EXPECT_EQ(Chart.Download.Count(), 2);
    EXPECT_EQ(ReadOut(TWatcherStatistics::roTDL), "4.00 KB"); // changes at the next tick
    Tick(1024, 0);
    EXPECT_EQ(ReadOut(TWatcherStatistics::roTDL), "1.00 KB");
}

TEST_F(WatcherRun, TheValueHintReadsBothAxesAtThePointer)
{
    Chart.Left.SetGeometry({0, 100}, 100);
    Chart.Bottom.SetGeometry({0, 100}, 100);
    Chart.Left.SetMinMax(0, 10);
    Chart.Bottom.SetMinMax(45000.5, 45000.5 + 300 * TWatcherStatistics::OneSecond);
    EXPECT_EQ(Stats.ValueHint(0, 0, 50), "Timestamp: 2023-03-15 12:00:00\r\nValue: 5.00 KB");
    EXPECT_EQ(Stats.ValueHint(1, 50, 75), "Timestamp: 2023-03-15 12:02:30\r\nValue: 2.50 kbps");
    EXPECT_EQ(Stats.ValueHint(2, 0, 50), "Timestamp: 2023-03-15 12:00:00\r\nValue: ");
    // Outside the field the hint reads beyond the ranges.
    EXPECT_EQ(Stats.ValueHint(0, 0, 120), "Timestamp: 2023-03-15 12:00:00\r\nValue: -2.00 KB");

    Chart.Bottom.SetMinMax(45000.0, 45000.0 + 300 * TWatcherStatistics::OneSecond);
    EXPECT_EQ(Stats.ValueHint(0, 0, 0), "Timestamp: 2023-03-15\r\nValue: 10.00 KB"); // midnight: no time
    TPinnedFormat comma(",", "dd.MM.yy", "H:mm:ss");
    EXPECT_EQ(Stats.ValueHint(0, 100, 0), "Timestamp: 15.03.23 0:05:00\r\nValue: 10,00 KB");
}

// The wall clock jumps, steps back and stops with the machine asleep, while the monotonic clock
// goes on: the window is back around now within one tick, the line breaks at the jump, and the
// rates and totals count exactly what the counters moved.
class WatcherWallClockJumps : public WatcherRun
{
protected:
    static constexpr double Second = TWatcherStatistics::OneSecond;
    static constexpr double Hour = 3600 * Second;

    void SetUp() override
    {
        Stats.TimerTimer(0);
        for (int i = 0; i < 400; ++i)
            Tick(1024, 512);
    }
    // Now lies in the time window, which keeps its width.
    void ExpectNowInView()
    {
        const double now = Clock.Now();
        EXPECT_LE(Chart.Bottom.Min(), now);
        EXPECT_GE(Chart.Bottom.Max() + Second, now);
        EXPECT_NEAR((Chart.Bottom.Max() - Chart.Bottom.Min()) / Second, 300.0, 1e-6);
    }
    // The newest point starts a run of its own and carries the true rate.
    void ExpectGapBeforeNewest(int ARuns)
    {
        EXPECT_EQ(Chart.Download.RunCount(), ARuns);
        EXPECT_EQ(Chart.Upload.RunCount(), ARuns);
        EXPECT_EQ(Stats.RateDL(), 1024.0);
        EXPECT_EQ(Stats.RateUL(), 512.0);
    }
};

TEST_F(WatcherWallClockJumps, AJumpOfTwoHoursAheadReanchorsWithinOneTickAndLeavesAGap)
{
    const std::uint64_t before = Stats.TDL;
    Clock.WallOffset += 2 * Hour;
    Tick(1024, 512);
    ExpectNowInView();
    ExpectGapBeforeNewest(2);
    EXPECT_TRUE(Chart.Download.XAscending());
    EXPECT_EQ(Stats.TDL, before + 1024);
    // Afterwards the window scrolls a second per tick again, with no further breaks.
    for (int i = 0; i < 30; ++i)
        Tick(1024, 512);
    ExpectNowInView();
    ExpectGapBeforeNewest(2);
    EXPECT_EQ(Stats.TDL, before + 31 * 1024);
}

TEST_F(WatcherWallClockJumps, AStepBackOfAnHourReanchorsAndTheNewPointsAreARunOfTheirOwn)
{
    const std::uint64_t before = Stats.TUL;
    Clock.WallOffset -= Hour;
    Tick(1024, 512);
    ExpectNowInView();
    ExpectGapBeforeNewest(2);
    EXPECT_FALSE(Chart.Download.XAscending());
    // The window starts at now, as the view reset does: the points of the hour to come lie
    // beyond it and are never joined to the new ones.
    EXPECT_DOUBLE_EQ(Chart.Bottom.Min(), Clock.Now());
    for (int i = 0; i < 10; ++i)
        Tick(1024, 512);
    EXPECT_EQ(Chart.Download.RunCount(), 2);
    EXPECT_EQ(Stats.TUL, before + 11 * 512);
    EXPECT_EQ(Stats.MDL, 1024.0); // no spike on the way
}

TEST_F(WatcherWallClockJumps, ManySmallStepsEachBreakTheLineWhileJitterDoesNot)
{
    const std::uint64_t before = Stats.TDL;
    // A clock pulled back three seconds at every tick (each a jump) ...
    for (int i = 0; i < 50; ++i) {
        Clock.WallOffset -= 3 * Second;
        Tick(1024, 512);
        ExpectNowInView();
    }
    ExpectGapBeforeNewest(51);
    // ... and one that wobbles by half a second either way, which is no jump.
    const int runs = Chart.Download.RunCount();
    for (int i = 0; i < 50; ++i) {
        Clock.WallOffset += (i % 2 ? -0.5 : 0.5) * Second;
        Tick(1024, 512);
    }
    ExpectNowInView();
    ExpectGapBeforeNewest(runs);
    EXPECT_EQ(Stats.TDL, before + 100 * 1024);
    EXPECT_EQ(Stats.MDL, 1024.0);
}

TEST_F(WatcherWallClockJumps, ASmallJumpAheadKeepsTheMinutesBeforeItInViewBesideTheGap)
{
    const double last = Chart.Download.X(Chart.Download.Count() - 1);
    Clock.WallOffset += 40 * Second;
    Tick(1024, 512);
    ExpectNowInView();
    ExpectGapBeforeNewest(2);
    EXPECT_DOUBLE_EQ(Chart.Bottom.Max(), Clock.Now());
    EXPECT_GT(last, Chart.Bottom.Min());
}

TEST_F(WatcherWallClockJumps, ASuspendOfEightHoursCountsTheBytesFromBeforeAndShowsNoSpikeNoZero)
{
    const std::uint64_t beforeDL = Stats.TDL, beforeUL = Stats.TUL;
    // Half a second after the last tick the machine sleeps for eight hours with 700 more bytes
    // in; the monotonic clock stops meanwhile, the boot clock and the wall clock do not.
    Clock.Ms += 500;
    Counters.Value.InOctets += 700;
    Counters.Value.OutOctets += 300;
    Clock.Sleep(8 * 3600 * 1000);
    Clock.Ms += 200;
    Stats.StartNewBaseline();
    EXPECT_EQ(Stats.TDL, beforeDL + 700);
    EXPECT_EQ(Stats.TUL, beforeUL + 300);
    // The first tick after it measures from the resume: 1024 bytes in 1 s, not 1724, not 0.
    Tick(1024, 512);
    ExpectNowInView();
    ExpectGapBeforeNewest(2);
    EXPECT_EQ(Stats.TDL, beforeDL + 700 + 1024);
    EXPECT_EQ(Stats.MDL, 1024.0);
}

TEST_F(WatcherWallClockJumps, AnInterfaceThatIsNotBackAfterTheSleepCountsOnceItReturns)
{
    const std::uint64_t before = Stats.TDL;
    Clock.AsleepMs += 3600 * 1000;
    Clock.WallOffset += Hour;
    Counters.Fail = true;
    Stats.StartNewBaseline();
    Tick(1024, 512);
    EXPECT_EQ(Stats.RateDL(), 0.0);
    // Re-created with counters from zero: a fresh baseline, then the true rate.
    Counters.Fail = false;
    Counters.Value = {0, 0, true};
    Tick(1024, 512);
    Tick(1024, 512);
    EXPECT_EQ(Stats.RateDL(), 1024.0);
    EXPECT_EQ(Stats.TDL, before + 1024);
    EXPECT_EQ(Stats.MDL, 1024.0);
}

// A panel reads the pass that another reader (the list, the history, the tray) took at another
// phase of the second, and refreshes, sleeps and wakes take new passes at any moment: a steady
// 1 MiB/s reads "1.00 MB" at every tick and as the maximum, whatever the order.
class WatcherSharedPass : public testing::TestWithParam<std::uint64_t>
{
protected:
    TPinnedFormat Pin{"."};
    test::TFakeClock Clock{50'000};
    // The kernel's counters: a little over 1 MiB/s down (so that whole bytes never make it read
    // just under a megabyte), a quarter of it up, while the machine is awake.
    static constexpr std::uint64_t Rate = 1'050'000;
    TTrafficCounterPass Pass{[this](std::vector<TLinkCounters>& ACounters) {
                                 ACounters = {{2, Clock.Ms * Rate / 1000, Clock.Ms * Rate / 4000}};
                                 return 1;
                             },
                             Clock};
    TIpHelperCounterSource Source{&Pass, Clock};
    TWatcherChartModel Chart;
    TWatcherStatistics Stats{Source, Clock, Chart};
    int Checked = 0;

    WatcherSharedPass() { Stats.Adapter.IntfIdx = 2; }

    void OtherReader()
    {
        TTrafficCounters c;
        Source.ReadCounters(2, c, 0);
    }
    void Refresh()
    {
        Pass.Invalidate();
        OtherReader();
    }
    void Tick()
    {
        Stats.TimerTimer(0);
        if (Stats.TDL == 0)
            return; // the first tick only takes the baseline
        ++Checked;
        EXPECT_EQ(Stats.ReadOuts()[TWatcherStatistics::roDL], "1.00 MB") << "tick at " << Clock.Ms;
        EXPECT_NEAR(Stats.RateUL(), Rate / 4.0, Rate / 400.0) << "tick at " << Clock.Ms;
        EXPECT_NEAR(Stats.MDL, double(Rate), Rate / 100.0);
        EXPECT_NEAR(Stats.MUL, Rate / 4.0, Rate / 400.0);
    }
    // Moves the monotonic clock (and with it the steady traffic) on by AMs.
    void Advance(std::uint64_t AMs) { Clock.Ms += AMs; }
};

TEST_P(WatcherSharedPass, ReadsTheTrueRateThroughRefreshesASleepAndAWake)
{
    const std::uint64_t phase = GetParam();
    for (int second = 0; second < 40; ++second) {
        OtherReader(); // at x.0
        if (second % 6 == 2) {
            Advance(phase / 2); // a change of the interfaces between the other reader and the panel
            Refresh();
            Advance(phase - phase / 2);
        } else {
            Advance(phase);
        }
        Tick(); // at x.phase
        if (second == 12) {
            // A sleep announced 0.8 s after the tick: the panels count up to it on a reading taken
            // then; the machine sleeps an hour; the wake is handled 0.3 s into the next second, with
            // a refresh and new baselines.
            Advance(800);
            Stats.StartNewBaseline();
            Clock.Sleep(3600 * 1000);
            Advance(500);
            Refresh();
            Stats.StartNewBaseline();
            Advance(700);
            continue;
        }
        Advance(1000 - phase);
    }
    EXPECT_GE(Checked, 35);
    EXPECT_EQ(Stats.ReadOuts()[TWatcherStatistics::roDLMax], "1.00 MB");
}

INSTANTIATE_TEST_SUITE_P(Phases, WatcherSharedPass, testing::Values(100u, 500u, 850u, 950u));

} // namespace
} // namespace qn
