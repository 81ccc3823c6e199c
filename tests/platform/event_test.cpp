// Event objects: auto and manual reset, timeouts, and signals from another thread.
#include "platform/event.h"

#include <gtest/gtest.h>

#include <thread>

namespace qn {
namespace {

TEST(Event, AutoResetEventsWakeOneWaitAndManualOnesStaySignalled)
{
    HANDLE automatic = CreateEvent(false, true);
    ASSERT_NE(automatic, nullptr);
    EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(automatic, 10), WAIT_TIMEOUT);
    EXPECT_TRUE(SetEvent(automatic));
    EXPECT_TRUE(SetEvent(automatic)); // two signals before a wait are still one
    EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_TIMEOUT);
    EXPECT_TRUE(CloseHandle(automatic));

    HANDLE manual = CreateEvent(true, false);
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_TIMEOUT);
    SetEvent(manual);
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0);
    EXPECT_TRUE(ResetEvent(manual));
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_TIMEOUT);
    EXPECT_TRUE(CloseHandle(manual));
}

TEST(Event, ASignalFromAnotherThreadEndsAWait)
{
    HANDLE event = CreateEvent(false, false);
    std::thread signaller([event] { SetEvent(event); });
    EXPECT_EQ(WaitForSingleObject(event, 10000), WAIT_OBJECT_0);
    signaller.join();
    CloseHandle(event);
}

TEST(Event, BadHandlesFailWithoutHarm)
{
    EXPECT_EQ(WaitForSingleObject(nullptr, 0), WAIT_FAILED);
    EXPECT_FALSE(CloseHandle(nullptr));
    EXPECT_FALSE(SetEvent(nullptr));
    int notAHandle = 12345;
    EXPECT_EQ(WaitForSingleObject(&notAHandle, 0), WAIT_FAILED);
}

} // namespace
} // namespace qn
