// The clocks: monotonic ticks in milliseconds and local time in days since 1899-12-30.
#include "platform/clock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

namespace {

TEST(Clock, TicksAreMillisecondsThatNeverGoBack)
{
    const auto a = qn::GetTickCount64();
    timespec pause{0, 20'000'000};
    nanosleep(&pause, nullptr);
    const auto b = qn::GetTickCount64();
    EXPECT_GE(b - a, 19u);
    EXPECT_LT(b - a, 5000u);
}

TEST(Clock, TheBootClockRunsWithTheMonotonicOneAndNeverBehindIt)
{
    // Both count from boot; the boot clock adds the time asleep, so it is never behind, and
    // without a sleep in between both advance alike.
    const auto tick = qn::GetTickCount64();
    const auto boot = qn::GetBootTickCount64();
    EXPECT_GE(boot + 1, tick);
    timespec pause{0, 20'000'000};
    nanosleep(&pause, nullptr);
    const auto boot2 = qn::GetBootTickCount64();
    const auto tick2 = qn::GetTickCount64();
    EXPECT_NEAR(static_cast<double>(boot2 - boot), static_cast<double>(tick2 - tick), 50.0);
}

TEST(Clock, LocalTimeFollowsTheZone)
{
    const char* old = getenv("TZ");
    const std::string saved = old ? old : "";
    setenv("TZ", "UTC", 1);
    tzset();
    const double utc = qn::LocalDateTimeNow();
    setenv("TZ", "UTC-3", 1); // three hours east of UTC
    tzset();
    const double east = qn::LocalDateTimeNow();
    if (old)
        setenv("TZ", saved.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();

    const double expectedUtc = qn::UnixEpochAsDateTime + static_cast<double>(time(nullptr)) / 86400.0;
    EXPECT_NEAR(utc, expectedUtc, 5.0 / 86400.0);
    EXPECT_NEAR(east - utc, 3.0 / 24.0, 5.0 / 86400.0);
}

} // namespace
