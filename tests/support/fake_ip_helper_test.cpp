// The scripted IP helper service itself: counters that advance and wrap, removed functions, and
// address-change requests whose event the script signals.
#include "support/fake_ip_helper.h"

#include "platform/event.h"

#include <gtest/gtest.h>

namespace qn::test {
namespace {

TEST(FakeIpHelper, CountersAdvanceAndTheLowRowWraps)
{
    TFakeIpHelper fake;
    TFakeInterface intf;
    intf.Index = 7;
    intf.Name = "eth7";
    intf.InOctets = 0xFFFFFFF0ull;
    intf.InStep = 0x20;
    fake.Interfaces.push_back(intf);

    MIB_IF_ROW2 row2{};
    row2.InterfaceIndex = 7;
    ASSERT_EQ(IpHelper().GetIfEntry2(&row2), NO_ERROR);
    EXPECT_EQ(row2.InOctets, 0xFFFFFFF0ull);
    MIB_IFROW row{};
    row.dwIndex = 7;
    ASSERT_EQ(IpHelper().GetIfEntry(&row), NO_ERROR);
    EXPECT_EQ(row.dwInOctets, 0x10u); // 0x1'0000'0010 cut to 32 bits
    row.dwIndex = 8;
    EXPECT_NE(IpHelper().GetIfEntry(&row), NO_ERROR);

    fake.Remove("GetIfEntry2");
    EXPECT_EQ(IpHelper().GetIfEntry2, nullptr);
    EXPECT_NE(IpHelper().GetIfEntry, nullptr);
    EXPECT_EQ(fake.CallCount("GetIfEntry"), 2);
}

TEST(FakeIpHelper, AddressChangeSignalsTheRequestsEvent)
{
    TFakeIpHelper fake;
    HANDLE event = CreateEvent(false, false);
    ASSERT_NE(event, nullptr);
    OVERLAPPED overlapped{};
    overlapped.hEvent = event;
    HANDLE handle = nullptr;
    EXPECT_FALSE(fake.SignalChange());
    ASSERT_EQ(IpHelper().NotifyAddrChange(&handle, &overlapped), ERROR_IO_PENDING);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
    EXPECT_TRUE(fake.SignalChange());
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT); // auto-reset
    EXPECT_FALSE(fake.HasPendingRequest());
    EXPECT_TRUE(CloseHandle(event));
}

} // namespace
} // namespace qn::test
