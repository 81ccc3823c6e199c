// Recording over a fake clock and scripted counters: what the stored buckets add up to.
#include "history/history_sampler.h"
#include "history/history_store.h"

#include "history/history_fakes.h"
#include "support/fake_clock.h"
#include "support/scripted_counters.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <map>
#include <numeric>

namespace qn {
namespace {

using test::TFakeClock;
using test::TPinnedZone;
using test::TScriptedCounters;
using test::TTempFolder;

constexpr std::uint64_t Wrap32 = 1ull << 32;

std::uint64_t SumDownload(const std::vector<THistoryRow>& ARows)
{
    return std::accumulate(ARows.begin(), ARows.end(), std::uint64_t{0},
                           [](std::uint64_t ASum, const THistoryRow& ARow) { return ASum + ARow.Download; });
}
std::uint64_t SumUpload(const std::vector<THistoryRow>& ARows)
{
    return std::accumulate(ARows.begin(), ARows.end(), std::uint64_t{0},
                           [](std::uint64_t ASum, const THistoryRow& ARow) { return ASum + ARow.Upload; });
}

const THistoryRow* FindRow(const std::vector<THistoryRow>& ARows, std::int64_t AKey)
{
    for (const THistoryRow& row : ARows)
        if (row.Key == AKey)
            return &row;
    return nullptr;
}

class HistoryRecording : public testing::Test
{
protected:
    TPinnedZone Zone;
    TFakeClock Clock;
    TScriptedCounters Counters{Clock};
    THistorySampler Sampler{Counters, Clock};
    TTempFolder Folder;
    THistoryStore Store;

    void SetUp() override
    {
        std::string moved, error;
        ASSERT_EQ(Store.OpenForWriting(Folder.File("history.sqlite"), moved, error), THistoryFailure::hfNone) << error;
    }
    void Write()
    {
        std::string error;
        ASSERT_EQ(Store.Write(Sampler.TakeBatch(), error), THistoryFailure::hfNone) << error;
    }
};

TEST_F(HistoryRecording, AWeekOfResetsWrapsAndAVanishedInterfaceSumsToTheCounterDifferences)
{
    // Monday 23 March 2026 to Monday 30 March 00:00, across the start of daylight saving, every
    // 10 seconds, written every simulated hour.
    Clock.Wall = test::Monday20260323;
    const THistoryInterface eth{"eth0", 2}, wlan{"wlan0", 3}, veth{"veth7", 4};
    Counters.Values[2] = {5'000'000, 1'000'000, true};
    Counters.Values[3] = {Wrap32 - 1'000'000, Wrap32 - 300'000, false}; // wraps within a minute
    Counters.Values[4] = {700, 300, true};
    std::map<std::string, std::pair<std::uint64_t, std::uint64_t>> expected;
    Sampler.Sample({eth, wlan, veth});

    const int ticks = (7 * 24 - 1) * 360 - 1; // the last at 23:59:50 on Sunday
    for (int i = 1; i <= ticks; ++i) {
        Clock.Advance(10);
        TTrafficCounters& e = Counters.Values[2];
        if (i % 20000 == 0) {
            e = {4000, 2000, true}; // the link was re-created: this read counts nothing
        } else {
            e.InOctets += 12'345;
            e.OutOctets += 678;
            expected["eth0"].first += 12'345;
            expected["eth0"].second += 678;
        }
        TTrafficCounters& w = Counters.Values[3];
        w.InOctets = (w.InOctets + 70'000) % Wrap32;
        w.OutOctets = (w.OutOctets + 9'000) % Wrap32;
        expected["wlan0"].first += 70'000;
        expected["wlan0"].second += 9'000;

        // veth7 is gone for an hour on Wednesday; meanwhile it moves bytes that nobody saw, and it
        // comes back under a new index: the first read after its return counts nothing.
        constexpr int Gone = 2 * 8640;
        const bool gone = i > Gone && i <= Gone + 360;
        const bool returns = i == Gone + 361;
        const std::uint32_t vethIdx = i > Gone ? 9 : 4;
        if (i == Gone + 1) {
            Counters.Values[9] = Counters.Values[4];
            Counters.Values.erase(4);
        }
        TTrafficCounters& v = Counters.Values[vethIdx];
        if (gone) {
            v.InOctets += 2'777;
        } else {
            v.InOctets += 500;
            v.OutOctets += 50;
            if (!returns) {
                expected["veth7"].first += 500;
                expected["veth7"].second += 50;
            }
        }
        if (gone)
            Sampler.Sample({eth, wlan});
        else
            Sampler.Sample({eth, wlan, {"veth7", vethIdx}});
        if (i % 360 == 0)
            Write();
    }
    Write();

    for (const char* name : {"eth0", "wlan0", "veth7"}) {
        SCOPED_TRACE(name);
        for (THistoryPeriod p :
             {THistoryPeriod::hpHour, THistoryPeriod::hpDay, THistoryPeriod::hpMonth, THistoryPeriod::hpYear}) {
            const auto rows = Store.Query(p, name);
            EXPECT_EQ(SumDownload(rows), expected[name].first) << PeriodName(p);
            EXPECT_EQ(SumUpload(rows), expected[name].second) << PeriodName(p);
        }
    }
    // The report of all interfaces is the sum of the three.
    const auto all = Store.Query(THistoryPeriod::hpDay);
    EXPECT_EQ(SumDownload(all), expected["eth0"].first + expected["wlan0"].first + expected["veth7"].first);
    EXPECT_EQ(all.size(), 7u);

    // Sunday 29 March has 23 hours: 02:00 never happened.
    const auto hours = Store.Query(THistoryPeriod::hpHour, "eth0");
    EXPECT_EQ(hours.size(), 7u * 24 - 1);
    EXPECT_EQ(FindRow(hours, 2026032902), nullptr);
    ASSERT_NE(FindRow(hours, 2026032903), nullptr);
    EXPECT_EQ(FindRow(hours, 2026032903)->Upload, 360u * 678);
    const auto days = Store.Query(THistoryPeriod::hpDay, "wlan0");
    ASSERT_NE(FindRow(days, 20260329), nullptr);
    EXPECT_EQ(FindRow(days, 20260329)->Download, 23u * 360 * 70'000);
    ASSERT_NE(FindRow(days, 20260324), nullptr);
    EXPECT_EQ(FindRow(days, 20260324)->Download, 24u * 360 * 70'000);
}

TEST_F(HistoryRecording, TheHourThatRepeatsWhenDaylightSavingEndsIsOneBucketOfTwoHours)
{
    // Sunday 25 October 2026: 03:00 CEST becomes 02:00 CET, the day has 25 hours.
    Clock.Wall = 1792879170; // Saturday 24 October 23:59:30 CEST
    Counters.Values[1] = {1000, 1000, true};
    Sampler.Sample({{"eth0", 1}});
    for (int i = 0; i < 25 * 60; ++i) {
        Clock.Advance(60);
        Counters.Values[1].InOctets += 1000;
        Sampler.Sample({{"eth0", 1}});
    }
    Write();
    const auto days = Store.Query(THistoryPeriod::hpDay, "eth0");
    ASSERT_EQ(days.size(), 1u);
    EXPECT_EQ(days[0].Key, 20261025);
    EXPECT_EQ(days[0].Download, 25u * 60 * 1000);
    const auto hours = Store.Query(THistoryPeriod::hpHour, "eth0");
    ASSERT_EQ(hours.size(), 24u);
    for (const THistoryRow& row : hours)
        EXPECT_EQ(row.Download, (row.Key == 2026102502 ? 120u : 60u) * 1000) << row.Key;
}

TEST_F(HistoryRecording, AClockSetBackAnHourNeitherLosesNorDoublesBytes)
{
    Clock.Wall = 1781258400; // Friday 12 June 2026 12:00 CEST
    Counters.Values[1] = {1000, 1000, true};
    Sampler.Sample({{"eth0", 1}});
    for (int i = 0; i < 150; ++i) {
        if (i == 90)
            Clock.Wall -= 3600; // 13:30 becomes 12:30; the monotonic clock goes on
        Clock.Advance(60);
        Counters.Values[1].InOctets += 1000;
        Counters.Values[1].OutOctets += 10;
        Sampler.Sample({{"eth0", 1}});
    }
    Write();
    const auto hours = Store.Query(THistoryPeriod::hpHour, "eth0");
    EXPECT_EQ(SumDownload(hours), 150u * 1000);
    EXPECT_EQ(SumUpload(hours), 150u * 10);
    // Reads at 12:01 to 13:30, then at 12:31 to 13:30 again: the 12 and 13 o'clock buckets hold
    // both runs.
    ASSERT_EQ(hours.size(), 2u);
    EXPECT_EQ(hours[0].Key, 2026061212);
    EXPECT_EQ(hours[0].Download, (59u + 29) * 1000);
    EXPECT_EQ(hours[1].Download, (31u + 31) * 1000);
    const auto days = Store.Query(THistoryPeriod::hpDay, "eth0");
    ASSERT_EQ(days.size(), 1u);
    EXPECT_EQ(days[0].Download, 150u * 1000);
}

TEST_F(HistoryRecording, ReadsThatCountNothingStartANewBaseline)
{
    Clock.Wall = 1781258400;
    Counters.Values[1] = {1000, 1000, true};
    const std::vector<THistoryInterface> present{{"eth0", 1}};
    Sampler.Sample(present);
    const auto step = [&](std::uint64_t AIn) {
        Clock.Advance(1);
        Counters.Values[1].InOctets += AIn;
        Sampler.Sample(present);
    };
    step(100);                                  // counts 100
    Counters.Values[1].Wide = false;            // the 64-bit row went away: width change
    step(5000);                                 // nothing
    step(100);                                  // counts 100 (modulo 2^32)
    Counters.Values.erase(1);                   // a failed read
    step(0);                                    // nothing
    Counters.Values[1] = {50'000, 1000, false}; // back with other values: nothing
    step(0);
    step(100);                          // counts 100
    Counters.Values[1] = {0, 0, false}; // both zero: no baseline
    step(0);
    Counters.Values[1] = {9'000'000, 1, false};
    step(0);                       // nothing (new baseline)
    step(100);                     // counts 100
    Sampler.Sample({{"eth0", 5}}); // the name now belongs to another index: nothing
    // A new 64-bit link starts at zero: its first traffic counts.
    Counters.Values[6] = {0, 0, true};
    Sampler.Sample({{"eth0", 6}});
    Clock.Advance(1);
    Counters.Values[6].InOctets += 100; // counts 100
    Sampler.Sample({{"eth0", 6}});
    Write();
    const auto rows = Store.Query(THistoryPeriod::hpMonth, "eth0");
    EXPECT_EQ(SumDownload(rows), 500u);
}

TEST_F(HistoryRecording, OnlyBucketsWithTrafficAreWritten)
{
    Clock.Wall = 1781258400;
    for (std::uint32_t i = 1; i <= 50; ++i)
        Counters.Values[i] = {1000, 1000, true}; // fifty idle veths
    Counters.Values[51] = {1000, 1000, true};
    std::vector<THistoryInterface> present;
    for (std::uint32_t i = 1; i <= 51; ++i)
        present.push_back({"veth" + std::to_string(i), i});
    Sampler.Sample(present);
    Clock.Advance(60);
    Counters.Values[51].OutOctets += 1;
    Sampler.Sample(present);
    Write();
    EXPECT_EQ(Store.InterfaceNames(), std::vector<std::string>{"veth51"});
    EXPECT_EQ(Store.Query(THistoryPeriod::hpHour).size(), 1u);
}

} // namespace
} // namespace qn
