// The counter path (GetIfEntry, GetIfEntry2) allocates nothing once its socket is open, also for an
// interface that has gone, and asks ethtool nothing once it knows a link, however many links there
// are. Counts every operator new of this test program.
#include "platform/ip_helper.h"
#include "platform/linux/ip_helper_linux.h"

#include "support/network_namespace.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <net/if.h>
#include <new>
#include <string>
#include <vector>

namespace {
std::atomic<long> GAllocations{0};
}

void* operator new(std::size_t ASize)
{
    ++GAllocations;
    if (void* p = std::malloc(ASize ? ASize : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* APointer) noexcept
{
    std::free(APointer);
}

void operator delete(void* APointer, std::size_t) noexcept
{
    std::free(APointer);
}

namespace qn {
namespace {

// Reads the interface's 64-bit and 32-bit rows through the provider, as the counter path does.
void ReadBothRows(DWORD AIndex)
{
    MIB_IF_ROW2 row{};
    row.InterfaceIndex = AIndex;
    ASSERT_EQ(reinterpret_cast<PFN_GetIfEntry2>(GetIpHelperProc(LoadIpHelper(), "GetIfEntry2"))(&row), NO_ERROR);
    MIB_IFROW plain{};
    plain.dwIndex = AIndex;
    ASSERT_EQ(reinterpret_cast<PFN_GetIfEntry>(GetIpHelperProc(LoadIpHelper(), "GetIfEntry"))(&plain), NO_ERROR);
}

TEST(IpHelperCounterPath, ReadsAllocateNothingAfterTheFirst)
{
    QN_IN_NETWORK_NAMESPACE([] {
        ASSERT_TRUE(test::AddVethPair("qa0", "qa1"));
        const auto getIfEntry2 = reinterpret_cast<PFN_GetIfEntry2>(GetIpHelperProc(LoadIpHelper(), "GetIfEntry2"));
        const DWORD index = if_nametoindex("qa0");
        MIB_IF_ROW2 row2{};
        row2.InterfaceIndex = index;
        ASSERT_EQ(getIfEntry2(&row2), NO_ERROR); // opens the thread's sockets
        const long before = GAllocations.load();
        for (int i = 0; i < 200; ++i) {
            ReadBothRows(index);
            MIB_IF_ROW2 gone{};
            gone.InterfaceIndex = index + 1000;
            ASSERT_EQ(getIfEntry2(&gone), ERROR_FILE_NOT_FOUND);
        }
        EXPECT_EQ(GAllocations.load() - before, 0);
    });
}

TEST(IpHelperCounterPath, ManyLinksAreReadWithoutEthtoolOnceKnown)
{
    QN_IN_NETWORK_NAMESPACE([] {
        // More links than the 64 slots a speed cache by index modulo 64 would have: 75 veth pairs.
        std::string batch;
        for (int i = 0; i < 75; ++i) {
            const std::string n = std::to_string(i);
            batch += "link add qd" + n + " type veth peer name qd" + std::to_string(75 + i) + "\n";
            batch += "link set qd" + n + " up\nlink set qd" + std::to_string(75 + i) + " up\n";
        }
        ASSERT_EQ(test::Shell("printf '" + batch + "' | ip -batch -"), 0);
        const auto getIfEntry2 = reinterpret_cast<PFN_GetIfEntry2>(GetIpHelperProc(LoadIpHelper(), "GetIfEntry2"));
        std::vector<DWORD> indices;
        for (int i = 0; i < 150; ++i)
            indices.push_back(if_nametoindex(("qd" + std::to_string(i)).c_str()));
        for (const DWORD index : indices) {
            MIB_IF_ROW2 row{};
            row.InterfaceIndex = index;
            ASSERT_EQ(getIfEntry2(&row), NO_ERROR) << index;
        }
        const std::uint64_t known = linux_ip::LinkSpeedQueries();
        EXPECT_GE(known, 150u) << "each link up is asked once";
        for (int round = 0; round < 3; ++round) {
            for (const DWORD index : indices) {
                ReadBothRows(index);
            }
        }
        EXPECT_EQ(linux_ip::LinkSpeedQueries(), known);

        // A carrier change asks again, for that link only.
        ASSERT_EQ(test::Shell("ip link set qd7 down && ip link set qd7 up"), 0);
        MIB_IF_ROW2 row{};
        row.InterfaceIndex = indices[7];
        ASSERT_EQ(getIfEntry2(&row), NO_ERROR);
        EXPECT_EQ(linux_ip::LinkSpeedQueries(), known + 1);
    });
}

} // namespace
} // namespace qn
