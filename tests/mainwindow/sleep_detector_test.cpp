// The sleep seen from the clocks alone: the boot clock's lead over the monotonic one.
#include "mainwindow/session/sleep_detector.h"

#include "support/fake_clock.h"

#include <gtest/gtest.h>

namespace qn {
namespace {

TEST(SleepDetector, TellsEachSleepOnceWithItsLengthAndTakesShortLeadsForNoise)
{
    test::TFakeClock clock;
    TSleepDetector sleep(clock);
    EXPECT_FALSE(sleep.Resumed());
    // Eight hours asleep, seen 200 ms after the wake.
    clock.Ms += 500;
    clock.Sleep(8 * 3600 * 1000);
    clock.Ms += 200;
    ASSERT_TRUE(sleep.Resumed());
    EXPECT_EQ(sleep.LastSleepMs(), 8u * 3600 * 1000);
    EXPECT_FALSE(sleep.Resumed()) << "told once";
    // Leads under the threshold add up but are noise until they reach it.
    clock.Sleep(TSleepDetector::MinSleepMs - 1);
    EXPECT_FALSE(sleep.Resumed());
    clock.Sleep(1);
    ASSERT_TRUE(sleep.Resumed());
    EXPECT_EQ(sleep.LastSleepMs(), TSleepDetector::MinSleepMs);
}

TEST(SleepDetector, ASleepTheDesktopAnnouncedIsNotToldAgainAndABootClockBehindStartsOver)
{
    test::TFakeClock clock;
    clock.AsleepMs = 10000;
    TSleepDetector sleep(clock);
    clock.Sleep(60000);
    sleep.Reset();
    EXPECT_FALSE(sleep.Resumed());
    // A boot clock that falls behind (it cannot, but the OS said so) gives no sleep and a new start.
    clock.AsleepMs = 0;
    EXPECT_FALSE(sleep.Resumed());
    clock.Sleep(5000);
    ASSERT_TRUE(sleep.Resumed());
    EXPECT_EQ(sleep.LastSleepMs(), 5000u);
}

} // namespace
} // namespace qn
