// The IP helper counter source as the panels use it: against scripted fake tables, with a shared
// pass, and against the host's own provider.
#include "netdata/ip_helper_counter_source.h"

#include "netdata/ip_helper_table.h"
#include "netdata/traffic_counter_pass.h"

#include "support/fake_clock.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <net/if.h> // Windows declares if_nametoindex with the IP helper records
#endif

namespace qn {
namespace {

// The scripted interface: index 4 with the counters below; any other index is unknown.
constexpr std::uint32_t FakeIndex = 4;
std::uint64_t FakeIn = 0;
std::uint64_t FakeOut = 0;
DWORD FakeResult = NO_ERROR;
bool RowWasClean = true;

DWORD FakeGetIfEntry(PMIB_IFROW ARow)
{
    RowWasClean = RowWasClean && ARow->dwInOctets == 0 && ARow->dwOutOctets == 0 && ARow->wszName[0] == 0;
    if (FakeResult != NO_ERROR)
        return FakeResult;
    if (ARow->dwIndex != FakeIndex)
        return ERROR_INVALID_PARAMETER;
    ARow->dwInOctets = static_cast<DWORD>(FakeIn);
    ARow->dwOutOctets = static_cast<DWORD>(FakeOut);
    return NO_ERROR;
}

NETIO_STATUS FakeGetIfEntry2(PMIB_IF_ROW2 ARow)
{
    RowWasClean = RowWasClean && ARow->InOctets == 0 && ARow->OutOctets == 0 && ARow->Alias[0] == 0;
    if (FakeResult != NO_ERROR)
        return FakeResult;
    if (ARow->InterfaceIndex != FakeIndex)
        return ERROR_FILE_NOT_FOUND;
    ARow->InOctets = FakeIn;
    ARow->OutOctets = FakeOut;
    return NO_ERROR;
}

class IpHelperCounterSource : public testing::Test
{
protected:
    void SetUp() override
    {
        FakeIn = 0;
        FakeOut = 0;
        FakeResult = NO_ERROR;
        RowWasClean = true;
    }
    static TIpHelperTable Table(bool AWithEntry2, bool AWithEntry)
    {
        TIpHelperTable table;
        table.Library = reinterpret_cast<HANDLE>(1);
        table.GetIfEntry2 = AWithEntry2 ? &FakeGetIfEntry2 : nullptr;
        table.GetIfEntry = AWithEntry ? &FakeGetIfEntry : nullptr;
        return table;
    }
    TIpHelperCounterSource Source;
};

TEST_F(IpHelperCounterSource, PrefersTheWideRowWhenBound)
{
    TIpHelperTableGuard guard(Table(true, true));
    FakeIn = 0x1'2345'6789ull;
    FakeOut = 77;
    TTrafficCounters c;
    ASSERT_TRUE(Source.ReadCounters(FakeIndex, c, 0));
    EXPECT_EQ(c.InOctets, 0x1'2345'6789ull);
    EXPECT_EQ(c.OutOctets, 77u);
    EXPECT_TRUE(c.Wide);
    EXPECT_TRUE(RowWasClean);

    // A failing wide query is a failed read: no fallback that would mix counter widths.
    EXPECT_FALSE(Source.ReadCounters(FakeIndex + 1, c, 0));
    EXPECT_EQ(c.InOctets, 0u);
    EXPECT_EQ(c.OutOctets, 0u);
}

TEST_F(IpHelperCounterSource, FallsBackToTheNarrowRowAndFailsWithNeither)
{
    TTrafficCounters c;
    {
        TIpHelperTableGuard guard(Table(false, true));
        FakeIn = 0x1'0000'0010ull; // the narrow row only carries the low 32 bits
        FakeOut = 5;
        ASSERT_TRUE(Source.ReadCounters(FakeIndex, c, 0));
        EXPECT_EQ(c.InOctets, 0x10u);
        EXPECT_EQ(c.OutOctets, 5u);
        EXPECT_FALSE(c.Wide);
        FakeResult = ERROR_NOT_SUPPORTED;
        EXPECT_FALSE(Source.ReadCounters(FakeIndex, c, 0));
        EXPECT_TRUE(RowWasClean);
    }
    TIpHelperTableGuard guard(Table(false, false));
    c.InOctets = 9;
    EXPECT_FALSE(Source.ReadCounters(FakeIndex, c, 0));
    EXPECT_EQ(c.InOctets, 0u);
}

TEST_F(IpHelperCounterSource, ARowCarriesTheTimeItWasAskedAndAPassReadingThePassesTime)
{
    TIpHelperTableGuard guard(Table(true, false));
    test::TFakeClock clock(4000);
    TIpHelperCounterSource rows(nullptr, clock);
    TTrafficCounters c;
    ASSERT_TRUE(rows.ReadCounters(FakeIndex, c, 0));
    EXPECT_EQ(c.TimeMs, 4000u);
    clock.Ms = 4300;
    ASSERT_TRUE(rows.ReadCounters(FakeIndex, c, 0));
    EXPECT_EQ(c.TimeMs, 4300u);

    // A pass taken at 4300 and handed out 800 ms later still says 4300; one that has no bulk
    // request sends the read to the row, timed when it is asked.
    int passResult = 1;
    TTrafficCounterPass pass(
        [&](std::vector<TLinkCounters>& ACounters) {
            ACounters = {{FakeIndex, 10, 20}};
            return passResult;
        },
        clock);
    TIpHelperCounterSource shared(&pass, clock);
    ASSERT_TRUE(shared.ReadCounters(FakeIndex, c, 0));
    clock.Ms += 800;
    ASSERT_TRUE(shared.ReadCounters(FakeIndex, c, 0));
    EXPECT_EQ(c.TimeMs, 4300u);
    EXPECT_EQ(c.InOctets, 10u);
    passResult = 0;
    pass.Invalidate();
    FakeIn = 77;
    ASSERT_TRUE(shared.ReadCounters(FakeIndex, c, 0));
    EXPECT_EQ(c.InOctets, 77u);
    EXPECT_EQ(c.TimeMs, 5100u);
}

TEST(IpHelperCounterSourceHost, ReadsTheLoopbackCountersOfThisMachine)
{
    const unsigned index = if_nametoindex("lo");
    if (index == 0)
        GTEST_SKIP() << "no loopback interface here";
    BindIpHelper();
    if (!IpHelper().GetIfEntry2 && !IpHelper().GetIfEntry)
        GTEST_SKIP() << "the host provider binds no interface-entry function";
    TIpHelperCounterSource source;
    TTrafficCounters c;
    ASSERT_TRUE(source.ReadCounters(index, c, 0));
    EXPECT_EQ(c.Wide, IpHelper().GetIfEntry2 != nullptr);
    TTrafficCounters again;
    ASSERT_TRUE(source.ReadCounters(index, again, 0));
    EXPECT_GE(again.InOctets, c.InOctets);
    EXPECT_FALSE(source.ReadCounters(0x7FFF'FFF0u, c, 0)); // no such interface
}

} // namespace
} // namespace qn
