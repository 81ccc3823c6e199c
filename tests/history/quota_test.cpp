// The data cap: its settings, its periods on the local calendar, its figures and its warnings,
// which come once per level and period, also across a restart.
#include "history/history_recorder.h"
#include "history/history_store.h"
#include "history/quota_monitor.h"
#include "history/quota_period.h"
#include "history/quota_settings.h"
#include "history/quota_status.h"

#include "history/history_fakes.h"
#include "support/fake_clock.h"
#include "support/scripted_counters.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <ctime>
#include <map>

namespace qn {
namespace {

using test::TPinnedZone;

std::int64_t Local(int AYear, int AMonth, int ADay, int AHour = 12)
{
    std::tm tm{};
    tm.tm_year = AYear - 1900;
    tm.tm_mon = AMonth - 1;
    tm.tm_mday = ADay;
    tm.tm_hour = AHour;
    tm.tm_isdst = -1;
    return static_cast<std::int64_t>(mktime(&tm));
}

TQuotaSettings Cap(TQuotaPeriod APeriod, int AStartDay, std::uint64_t ALimit = 1000)
{
    TQuotaSettings s;
    s.Period = APeriod;
    s.StartDay = AStartDay;
    s.Limit = ALimit;
    return s;
}

TQuotaSettings Read(const std::map<std::string, std::string>& AValues, std::string& AMessage)
{
    return ReadQuotaSettings(
        [&](std::string_view AKey) -> std::optional<std::string> {
            const auto it = AValues.find(std::string(AKey));
            return it == AValues.end() ? std::nullopt : std::optional<std::string>(it->second);
        },
        AMessage);
}

TEST(QuotaSettings, BadValuesGiveTheirDefaultsAndOneMessageThatNamesThemAll)
{
    std::string message;
    EXPECT_EQ(Read({}, message), TQuotaSettings{});
    EXPECT_TRUE(message.empty());

    const TQuotaSettings s = Read({{"Limit", "-5"},
                                   {"Period", "fortnight"},
                                   {"StartDay", "0"},
                                   {"Direction", "sideways"},
                                   {"Warn", "50, lots"},
                                   {"Interfaces", " eth0 , wlan0,eth0,, "}},
                                  message);
    EXPECT_EQ(s.Limit, 0u);
    EXPECT_EQ(s.Period, TQuotaPeriod::qpMonth);
    EXPECT_EQ(s.StartDay, 1);
    EXPECT_EQ(s.Direction, TQuotaDirection::qdTotal);
    EXPECT_EQ(s.Warn, (std::vector<int>{80, 100}));
    EXPECT_EQ(s.Interfaces, (std::vector<std::string>{"eth0", "wlan0"}));
    for (const char* key : {"Limit=-5", "Period=fortnight", "StartDay=0", "Direction=sideways", "Warn=50, lots"})
        EXPECT_NE(message.find(key), std::string::npos) << key << " in: " << message;

    // Out of range, too large for 64 bits, a week's day 8: defaults again.
    Read({{"Limit", "99999999999999999999"}}, message);
    EXPECT_NE(message.find("Limit"), std::string::npos);
    EXPECT_EQ(Read({{"Period", "week"}, {"StartDay", "8"}}, message).StartDay, 1);
    EXPECT_FALSE(message.empty());
    EXPECT_EQ(Read({{"Warn", "0"}}, message).Warn, (std::vector<int>{80, 100}));
    EXPECT_FALSE(message.empty());
}

TEST(QuotaSettings, WhatIsWrittenReadsBackAsItselfWithoutAMessage)
{
    TQuotaSettings s;
    s.Limit = 53687091200;
    s.Period = TQuotaPeriod::qpWeek;
    s.StartDay = 7;
    s.Direction = TQuotaDirection::qdUpload;
    s.Warn = {};
    s.Interfaces = {"wwan0", "eth1"};
    std::map<std::string, std::string> file;
    for (const auto& [key, value] : QuotaSettingsValues(s))
        file[key] = value;
    std::string message;
    EXPECT_EQ(Read(file, message), s);
    EXPECT_TRUE(message.empty()) << message;
    // Case and blanks as a hand-edited file has them.
    const TQuotaSettings hand = Read({{"Period", " Month "}, {"StartDay", "31"}, {"Warn", "100, 50,50"}}, message);
    EXPECT_TRUE(message.empty()) << message;
    EXPECT_EQ(hand.StartDay, 31);
    EXPECT_EQ(hand.Warn, (std::vector<int>{50, 100}));
}

struct TWindowCase
{
    TQuotaPeriod Period;
    int StartDay;
    std::int64_t At;
    std::int64_t FirstDay, EndDay;
    int Days;
};

TEST(QuotaPeriod, BillingDaysClampToTheMonthsEndWeeksStartOnTheirDayAndYearsChange)
{
    TPinnedZone zone;
    const TWindowCase cases[] = {
        // Billing day 31: February's is its last day, in common and in leap years.
        {TQuotaPeriod::qpMonth, 31, Local(2027, 2, 15), 20270131, 20270228, 28},
        {TQuotaPeriod::qpMonth, 31, Local(2027, 2, 28), 20270228, 20270331, 31},
        {TQuotaPeriod::qpMonth, 31, Local(2028, 2, 29), 20280229, 20280331, 31},
        {TQuotaPeriod::qpMonth, 30, Local(2028, 2, 10), 20280130, 20280229, 30},
        {TQuotaPeriod::qpMonth, 1, Local(2026, 12, 1, 0), 20261201, 20270101, 31},
        // A year change inside the period.
        {TQuotaPeriod::qpMonth, 15, Local(2027, 1, 5), 20261215, 20270115, 31},
        {TQuotaPeriod::qpWeek, 1, Local(2026, 12, 31), 20261228, 20270104, 7},
        {TQuotaPeriod::qpDay, 1, Local(2026, 12, 31, 23), 20261231, 20270101, 1},
        // 2026-12-09 is a Wednesday; Monday is 1.
        {TQuotaPeriod::qpWeek, 1, Local(2026, 12, 9), 20261207, 20261214, 7},
        {TQuotaPeriod::qpWeek, 3, Local(2026, 12, 9, 0), 20261209, 20261216, 7},
        {TQuotaPeriod::qpWeek, 4, Local(2026, 12, 9), 20261203, 20261210, 7},
        {TQuotaPeriod::qpWeek, 7, Local(2026, 12, 9), 20261206, 20261213, 7},
    };
    for (const TWindowCase& c : cases) {
        const TQuotaWindow w = QuotaWindowAt(Cap(c.Period, c.StartDay), c.At);
        EXPECT_EQ(w.FirstDay, c.FirstDay) << c.At;
        EXPECT_EQ(w.EndDay, c.EndDay) << c.At;
        EXPECT_EQ(w.Days, c.Days) << c.At;
        EXPECT_EQ(w.Start, Local(static_cast<int>(c.FirstDay / 10000), c.FirstDay / 100 % 100, c.FirstDay % 100, 0));
        EXPECT_LE(w.Start, c.At);
        EXPECT_GT(w.End, c.At);
    }
}

TEST(QuotaPeriod, DaysOfDaylightSavingAreOneDayOf23Or25Hours)
{
    TPinnedZone zone;
    const TQuotaWindow spring = QuotaWindowAt(Cap(TQuotaPeriod::qpDay, 1), Local(2026, 3, 29, 12));
    EXPECT_EQ(spring.End - spring.Start, 23 * 3600);
    EXPECT_EQ(spring.Days, 1);
    const TQuotaWindow autumn = QuotaWindowAt(Cap(TQuotaPeriod::qpDay, 1), Local(2026, 10, 25, 2));
    EXPECT_EQ(autumn.End - autumn.Start, 25 * 3600);
    const TQuotaWindow week = QuotaWindowAt(Cap(TQuotaPeriod::qpWeek, 1), Local(2026, 3, 29, 23));
    EXPECT_EQ(week.Start, test::Monday20260323);
    EXPECT_EQ(week.End - week.Start, 7 * 86400 - 3600);
    EXPECT_EQ(week.Days, 7);
    EXPECT_EQ(DaysLeft(week, Local(2026, 3, 29, 23)), 1);
    EXPECT_EQ(DaysLeft(week, Local(2026, 3, 23, 0)), 7);
}

TEST(QuotaStatus, PaceForecastAndAllowanceFollowTheTimeCountedAndSayWhenTheHistoryBeganLate)
{
    TPinnedZone zone;
    const TQuotaSettings cap = Cap(TQuotaPeriod::qpMonth, 1, 31'000'000);
    const std::int64_t now = Local(2026, 12, 11, 0); // ten days of 31 gone
    const TQuotaWindow window = QuotaWindowAt(cap, now);
    TQuotaStatus s = QuotaStatusOf(cap, window, 5'000'000, now, 20261120);
    EXPECT_FALSE(s.Partial);
    EXPECT_EQ(s.PerDay, 500'000u);
    EXPECT_EQ(s.Forecast, 15'500'000u);
    EXPECT_EQ(s.DaysLeft, 21);
    EXPECT_EQ(s.Allowance, 26'000'000u / 21);
    EXPECT_DOUBLE_EQ(s.Percent, 100.0 * 5 / 31);

    // The history began on the 6th: five days counted, and it says so.
    s = QuotaStatusOf(cap, window, 5'000'000, now, 20261206);
    EXPECT_TRUE(s.Partial);
    EXPECT_EQ(s.HistoryFirstDay, 20261206);
    EXPECT_EQ(s.PerDay, 1'000'000u);
    EXPECT_EQ(s.Forecast, 26'000'000u);

    s = QuotaStatusOf(cap, window, 31'000'000, now, 0);
    EXPECT_TRUE(s.Over());
    EXPECT_EQ(s.Allowance, 0u);
}

TEST(QuotaWarnings, EachLevelOnceTheHighestOfSeveralAndTheForecastOnlyAfterTheFirstDay)
{
    TPinnedZone zone;
    TQuotaSettings cap = Cap(TQuotaPeriod::qpMonth, 1, 1000);
    cap.Warn = {50, 80, 100};
    const std::int64_t firstDay = Local(2026, 12, 1, 20);
    const TQuotaWindow window = QuotaWindowAt(cap, firstDay);
    std::set<int> given;
    const auto due = [&](std::uint64_t AUsed, std::int64_t ANow) {
        return DueQuotaWarning(cap, QuotaStatusOf(cap, window, AUsed, ANow, 0), ANow, given);
    };
    // On the first evening, a pace far past the limit gives no forecast yet.
    EXPECT_FALSE(due(499, firstDay));
    ASSERT_TRUE(due(500, firstDay));
    EXPECT_EQ(given, (std::set<int>{50}));
    EXPECT_FALSE(due(500, firstDay));
    EXPECT_FALSE(due(799, firstDay));

    // The second day: the forecast, once.
    const std::int64_t secondDay = Local(2026, 12, 2, 12);
    const auto forecast = due(799, secondDay);
    ASSERT_TRUE(forecast);
    EXPECT_EQ(forecast->Level, QuotaForecastLevel);
    EXPECT_FALSE(due(799, secondDay));

    // From 79.9 % straight past 100 %: one warning, the highest, and both levels are given.
    const auto jump = due(1200, secondDay);
    ASSERT_TRUE(jump);
    EXPECT_EQ(jump->Level, 100);
    EXPECT_EQ(given, (std::set<int>{QuotaForecastLevel, 50, 80, 100}));
    EXPECT_FALSE(due(5000, secondDay));

    // A pace that stays under the limit, or no cap at all: nothing.
    std::set<int> fresh;
    EXPECT_FALSE(DueQuotaWarning(cap, QuotaStatusOf(cap, window, 30, secondDay, 0), secondDay, fresh));
    EXPECT_FALSE(DueQuotaWarning({}, QuotaStatusOf({}, window, 100, secondDay, 0), secondDay, fresh));
    TQuotaSettings silent = cap;
    silent.Warn.clear();
    EXPECT_FALSE(DueQuotaWarning(silent, QuotaStatusOf(silent, window, 5000, secondDay, 0), secondDay, fresh));
    EXPECT_TRUE(fresh.empty());
}

// The program's wiring: the recorder reads, the monitor checks at the same pace.
struct TRecordingRun
{
    THistoryRecorder Recorder;
    TQuotaMonitor Monitor;
    std::vector<TQuotaWarning> Warnings;

    TRecordingRun(ITrafficCounterSource& ASource, IClock& AClock, const std::string& APath, const TQuotaSettings& ACap)
        : Recorder(ASource, AClock, {APath, 60000, 5000, 0}), Monitor(AClock, APath)
    {
        Monitor.LiveBytes = [this](const std::string& AName, std::int64_t AFirst, std::int64_t AEnd, bool AHandedOver) {
            return Recorder.ReadBytes(AName, AFirst, AEnd, AHandedOver);
        };
        Monitor.Flush = [this] { Recorder.Flush(); };
        Monitor.Remember = [this](const std::string& AId, int ALevel) { Recorder.RememberWarning(AId, ALevel); };
        Monitor.OnWarning = [this](const TQuotaWarning& AWarning) { Warnings.push_back(AWarning); };
        Monitor.SetSettings(ACap);
        Monitor.SetPresent({{"qv0", TInterfaceClass::icDefaultRoute}, {"lo", TInterfaceClass::icLoopback}});
        Recorder.SetInterfaces({{"qv0", 7}, {"lo", 1}});
        Recorder.SetClasses({{"qv0", TInterfaceClass::icDefaultRoute}, {"lo", TInterfaceClass::icLoopback}});
    }
    void Pass(test::TFakeClock& AClock)
    {
        AClock.Advance(5);
        Recorder.Tick();
        Monitor.Check();
    }
};

TEST(QuotaWarnings, ComeFromTheReadsBeforeAnyWriteAndNotAgainAfterARestartInTheSamePeriod)
{
    TPinnedZone zone;
    test::TTempFolder folder;
    const std::string path = folder.File("history.sqlite");
    test::TFakeClock clock;
    clock.Wall = Local(2026, 12, 9, 10);
    test::TScriptedCounters counters{clock};
    counters.Values[7] = {0, 0, true};
    counters.Values[1] = {0, 0, true};
    TQuotaSettings cap = Cap(TQuotaPeriod::qpDay, 1, 10'000'000);
    cap.Direction = TQuotaDirection::qdUpload;
    cap.Warn = {50, 100};

    {
        TRecordingRun run(counters, clock, path, cap);
        ASSERT_TRUE(run.Recorder.Start());
        run.Pass(clock); // baselines
        counters.Values[7].OutOctets = 6'000'000;
        counters.Values[1] = {90'000'000, 90'000'000, true}; // loopback traffic counts for nothing
        run.Pass(clock);
        ASSERT_EQ(run.Warnings.size(), 1u);
        EXPECT_EQ(run.Warnings[0].Level, 50);
        EXPECT_EQ(run.Warnings[0].Status.Used, 6'000'000u);
        run.Pass(clock);
        EXPECT_EQ(run.Warnings.size(), 1u);

        // Remembered in the file at once, long before the minute's write.
        run.Recorder.Flush();
        THistoryStore store;
        std::string error;
        ASSERT_TRUE(store.OpenReadOnly(path, error)) << error;
        EXPECT_EQ(store.QuotaWarnings("day 2026-12-09"), std::vector<int>{50});
        EXPECT_TRUE(store.Query(THistoryPeriod::hpDay, "qv0").empty());

        counters.Values[7].OutOctets = 11'000'000;
        run.Pass(clock);
        ASSERT_EQ(run.Warnings.size(), 2u);
        EXPECT_EQ(run.Warnings[1].Level, 100);
        EXPECT_TRUE(run.Warnings[1].Status.Over());
        run.Recorder.Stop();
    }
    {
        // The same day again: the file's 11 MB count, and nothing is told twice.
        TRecordingRun run(counters, clock, path, cap);
        ASSERT_TRUE(run.Recorder.Start());
        run.Pass(clock);
        counters.Values[7].OutOctets = 12'000'000;
        run.Pass(clock);
        run.Pass(clock);
        EXPECT_TRUE(run.Warnings.empty());
        EXPECT_EQ(run.Monitor.Status().Used, 12'000'000u);

        // The next day is a new period: its own bytes, its own warnings.
        clock.Wall = Local(2026, 12, 10, 9);
        counters.Values[7].OutOctets = 17'500'000;
        run.Pass(clock);
        EXPECT_EQ(run.Monitor.Status().Window.FirstDay, 20261210);
        EXPECT_EQ(run.Monitor.Status().Used, 5'500'000u);
        ASSERT_EQ(run.Warnings.size(), 1u);
        EXPECT_EQ(run.Warnings[0].Level, 50);
        run.Recorder.Stop();
    }
}

} // namespace
} // namespace qn
