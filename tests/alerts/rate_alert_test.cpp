// The rate alerts' conditions over paced readings: an alert begins once, holds silently, ends, and
// begins again; a sleep or a clock that jumps between readings gives no false alert. And the
// settings: bad values are named and replaced by their defaults.
#include "alerts/rate_alert_monitor.h"

#include <gtest/gtest.h>

#include <map>

namespace qn {
namespace {

constexpr double MB = 1'000'000;

class RateAlerts : public testing::Test
{
protected:
    void SetUp() override
    {
        TRateAlertSettings s;
        s.High = true;
        s.HighLevel = 1'000'000;
        s.HighSeconds = 300;
        s.Stall = true;
        s.StallLevel = 10'000;
        s.StallSeconds = 60;
        FMonitor.Configure(s);
    }

    // Readings once a second from FNow for ASeconds at the given rates; the alerts they gave.
    std::vector<TRateAlert> Run(int ASeconds, double ADL, double AUL = 0)
    {
        std::vector<TRateAlert> all;
        for (int i = 0; i < ASeconds; ++i) {
            FNow += 1.0;
            for (const TRateAlert& a : FMonitor.Sample(FNow, ADL, AUL))
                all.push_back(a);
        }
        return all;
    }

    TRateAlertMonitor FMonitor;
    double FNow = 1000.0;
};

const TRateAlert HighDL{TRateAlertKind::rakHigh, TRateDirection::rdDownload};
const TRateAlert HighUL{TRateAlertKind::rakHigh, TRateDirection::rdUpload};
const TRateAlert StallDL{TRateAlertKind::rakStall, TRateDirection::rdDownload};

TEST_F(RateAlerts, AHighRateIsToldOnceWhenItHeldItsTimeAndAgainAfterItEnded)
{
    EXPECT_TRUE(Run(300, 2 * MB).empty()) << "the first reading starts the clock: 299 s held";
    EXPECT_EQ(std::vector<TRateAlert>{HighDL}, Run(1, 2 * MB));
    EXPECT_TRUE(Run(600, 2 * MB).empty()) << "it goes on: nothing more";
    EXPECT_TRUE(FMonitor.Active(TRateAlertKind::rakHigh, TRateDirection::rdDownload));
    EXPECT_TRUE(Run(1, 0.5 * MB).empty());
    EXPECT_FALSE(FMonitor.Active(TRateAlertKind::rakHigh, TRateDirection::rdDownload)) << "ended";
    EXPECT_TRUE(Run(300, 2 * MB).empty());
    EXPECT_EQ(std::vector<TRateAlert>{HighDL}, Run(1, 2 * MB)) << "begins again";
}

TEST_F(RateAlerts, ADipBelowTheLevelRestartsTheTimeAndTheDirectionsAreApart)
{
    Run(200, 2 * MB, 2 * MB);
    Run(1, 1 * MB, 2 * MB); // exactly the level is not above it
    const auto alerts = Run(200, 2 * MB, 2 * MB);
    EXPECT_EQ(std::vector<TRateAlert>{HighUL}, alerts) << "upload held 400 s, download only 200 s";
    EXPECT_EQ(std::vector<TRateAlert>{HighDL}, Run(101, 2 * MB, 2 * MB));
}

TEST_F(RateAlerts, AStallIsToldOnlyAfterTheRateWasAbove)
{
    EXPECT_TRUE(Run(120, 0).empty()) << "never above: an idle link is no stalled transfer";
    Run(10, 50'000);
    EXPECT_TRUE(Run(60, 0).empty());
    EXPECT_EQ(std::vector<TRateAlert>{StallDL}, Run(1, 0));
    EXPECT_TRUE(Run(600, 0).empty()) << "still stalled: nothing more";
    Run(5, 50'000);
    EXPECT_FALSE(FMonitor.Active(TRateAlertKind::rakStall, TRateDirection::rdDownload));
    EXPECT_EQ(std::vector<TRateAlert>{StallDL}, Run(61, 0)) << "stalled again";
}

TEST_F(RateAlerts, ASleepOrAClockJumpBetweenReadingsGivesNoFalseAlert)
{
    Run(250, 2 * MB);
    FNow += 3600; // asleep for an hour: the rate after waking says nothing of the time between
    EXPECT_TRUE(Run(100, 2 * MB).empty()) << "the clock restarted at the first reading after the gap";
    EXPECT_EQ(std::vector<TRateAlert>{HighDL}, Run(201, 2 * MB));

    // A transfer, then a sleep: the link idle after waking is not a stall.
    Run(1, 0.5 * MB);
    Run(10, 50'000);
    FNow += 600;
    EXPECT_TRUE(Run(120, 0).empty());

    // Time that runs backwards starts the clocks anew as well.
    Run(299, 2 * MB);
    FNow -= 50;
    EXPECT_TRUE(Run(299, 2 * MB).empty());
    EXPECT_EQ(std::vector<TRateAlert>{HighDL}, Run(2, 2 * MB));
}

TEST_F(RateAlerts, OffAlertsStaySilentAndNewSettingsStartAfresh)
{
    FMonitor.Configure({});
    EXPECT_TRUE(Run(1000, 100 * MB).empty());
    EXPECT_TRUE(Run(1000, 0).empty());
    TRateAlertSettings s;
    s.High = true;
    s.HighSeconds = 5;
    FMonitor.Configure(s);
    EXPECT_TRUE(Run(5, 2 * MB).empty());
    EXPECT_EQ(std::vector<TRateAlert>{HighDL}, Run(1, 2 * MB));
}

TEST(RateAlertSettings, BadValuesAreNamedAndReplacedByDefaultsAndGoodOnesRoundTrip)
{
    std::map<std::string, std::string> file{{"High", "1"},    {"HighLevel", "-5"},    {"HighSeconds", "90"},
                                            {"Stall", "yes"}, {"StallLevel", "2000"}, {"StallSeconds", "999999999"}};
    std::vector<std::string> bad;
    const auto read = [&](std::string_view AKey) -> std::optional<std::string> {
        const auto it = file.find(std::string(AKey));
        return it == file.end() ? std::nullopt : std::optional<std::string>(it->second);
    };
    const TRateAlertSettings s = ReadRateAlertSettings(read, bad);
    EXPECT_EQ((std::vector<std::string>{"HighLevel=-5", "Stall=yes", "StallSeconds=999999999"}), bad);
    const TRateAlertSettings defaults;
    EXPECT_TRUE(s.High);
    EXPECT_EQ(defaults.HighLevel, s.HighLevel);
    EXPECT_EQ(90, s.HighSeconds);
    EXPECT_EQ(defaults.Stall, s.Stall);
    EXPECT_EQ(2000u, s.StallLevel);
    EXPECT_EQ(defaults.StallSeconds, s.StallSeconds);

    file.clear();
    for (const auto& [key, value] : RateAlertSettingsValues(s))
        file[key] = value;
    EXPECT_EQ(s, ReadRateAlertSettings(read, bad));
    EXPECT_TRUE(bad.empty());
    file.clear();
    EXPECT_EQ(defaults, ReadRateAlertSettings(read, bad)) << "an absent section is all defaults, off";
    EXPECT_FALSE(defaults.Enabled());
}

} // namespace
} // namespace qn
