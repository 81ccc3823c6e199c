// The Linux IP helper provider against the kernel, in a private network namespace: the buffer
// protocol, rows of links that vanish, aliases, DNS servers, address-change requests, a link whose
// messages outgrow the kernel's usual dump buffer, the scan of one refresh and the bulk counters.
#include "platform/event.h"
#include "platform/interface_scan.h"
#include "platform/ip_helper.h"
#include "platform/link_counters.h"
#include "platform/wide_text.h"

#include "support/network_namespace.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <net/if.h>
#include <sys/mount.h>
#include <unistd.h>
#include <vector>

namespace qn {
namespace {

using test::Build;
using test::Shell;

template <typename TFn>
TFn Proc(const char* AName)
{
    return reinterpret_cast<TFn>(GetIpHelperProc(LoadIpHelper(), AName));
}

TEST(LinuxIpHelper, SizedQueriesReportTheSizeAndFillAnExactBuffer)
{
    QN_IN_NETWORK_NAMESPACE([] {
        Build("ip link add qa0 type veth peer name qa1");
        for (int i = 1; i <= 20; ++i)
            Build(("ip addr add 198.51.100." + std::to_string(i) + "/24 dev qa0").c_str());
        const auto getAdaptersInfo = Proc<PFN_GetAdaptersInfo>("GetAdaptersInfo");
        ULONG size = 0;
        ASSERT_EQ(getAdaptersInfo(nullptr, &size), ERROR_BUFFER_OVERFLOW);
        EXPECT_EQ(size, 3 * sizeof(IP_ADAPTER_INFO) + 19 * sizeof(IP_ADDR_STRING));
        std::vector<std::uint64_t> buffer(size / 8 + 1);
        ULONG small = size - 1;
        EXPECT_EQ(getAdaptersInfo(reinterpret_cast<PIP_ADAPTER_INFO>(buffer.data()), &small), ERROR_BUFFER_OVERFLOW);
        EXPECT_EQ(small, size);
        ASSERT_EQ(getAdaptersInfo(reinterpret_cast<PIP_ADAPTER_INFO>(buffer.data()), &size), NO_ERROR);
        const auto* begin = reinterpret_cast<const unsigned char*>(buffer.data());
        int adapters = 0, addresses = 0;
        for (auto* info = reinterpret_cast<const IP_ADAPTER_INFO*>(buffer.data()); info; info = info->Next) {
            ++adapters;
            if (std::string(info->AdapterName) == "qa0") {
                for (const IP_ADDR_STRING* a = &info->IpAddressList; a; a = a->Next) {
                    ++addresses;
                    const auto* p = reinterpret_cast<const unsigned char*>(a);
                    EXPECT_TRUE(p >= begin && p + sizeof(*a) <= begin + size) << "entry outside the buffer";
                }
            }
        }
        EXPECT_EQ(adapters, 3);
        EXPECT_EQ(addresses, 20);

        const auto getIpAddrTable = Proc<PFN_GetIpAddrTable>("GetIpAddrTable");
        ULONG tableSize = 0;
        ASSERT_EQ(getIpAddrTable(nullptr, &tableSize, TRUE), ERROR_INSUFFICIENT_BUFFER);
        std::vector<std::uint64_t> table(tableSize / 8 + 1);
        ASSERT_EQ(getIpAddrTable(reinterpret_cast<PMIB_IPADDRTABLE>(table.data()), &tableSize, TRUE), NO_ERROR);
        const auto* rows = reinterpret_cast<const MIB_IPADDRTABLE*>(table.data());
        ASSERT_EQ(rows->dwNumEntries, 21u);
        const MIB_IPADDRROW* row = rows->table;
        EXPECT_EQ(row[0].dwAddr, inet_addr("127.0.0.1"));
        EXPECT_EQ(row[1].dwAddr, inet_addr("198.51.100.1"));
        EXPECT_EQ(row[20].dwAddr, inet_addr("198.51.100.20"));
        EXPECT_EQ(row[1].wType & MIB_IPADDR_PRIMARY, MIB_IPADDR_PRIMARY);
        EXPECT_EQ(row[2].wType & MIB_IPADDR_PRIMARY, 0);      // a secondary address
        EXPECT_NE(row[1].wType & MIB_IPADDR_DISCONNECTED, 0); // qa0 is down

        const auto getIpNetTable = Proc<PFN_GetIpNetTable>("GetIpNetTable");
        ULONG netSize = 0;
        EXPECT_EQ(getIpNetTable(nullptr, &netSize, FALSE), ERROR_NO_DATA);
    });
}

TEST(LinuxIpHelper, InsideAScanEveryAnswerComesFromOneReadingOfTheTables)
{
    QN_IN_NETWORK_NAMESPACE([] {
        Build("ip link set lo up");
        Build("ip link add qs0 type veth peer name qs1");
        Build("ip addr add 10.81.0.1/24 dev qs0");
        const auto getIfEntry2 = Proc<PFN_GetIfEntry2>("GetIfEntry2");
        const auto getInterfaceInfo = Proc<PFN_GetInterfaceInfo>("GetInterfaceInfo");
        const auto getIpAddrTable = Proc<PFN_GetIpAddrTable>("GetIpAddrTable");
        const auto toLuid = Proc<PFN_ConvertInterfaceIndexToLuid>("ConvertInterfaceIndexToLuid");
        const DWORD index = if_nametoindex("qs0");
        const auto rowFound = [&] {
            MIB_IF_ROW2 row{};
            row.InterfaceIndex = index;
            return getIfEntry2(&row) == NO_ERROR;
        };
        const auto mapCount = [&] {
            ULONG size = 0;
            getInterfaceInfo(nullptr, &size);
            std::vector<std::uint64_t> buffer(size / 8 + 1);
            auto* info = reinterpret_cast<IP_INTERFACE_INFO*>(buffer.data());
            return getInterfaceInfo(info, &size) == NO_ERROR ? info->NumAdapters : -1;
        };
        const auto addressCount = [&] {
            ULONG size = 0;
            if (getIpAddrTable(nullptr, &size, FALSE) != ERROR_INSUFFICIENT_BUFFER)
                return -1;
            std::vector<std::uint64_t> buffer(size / 8 + 1);
            auto* table = reinterpret_cast<MIB_IPADDRTABLE*>(buffer.data());
            return getIpAddrTable(table, &size, FALSE) == NO_ERROR ? static_cast<int>(table->dwNumEntries) : -1;
        };
        {
            const TInterfaceScan scan;
            ASSERT_TRUE(rowFound());
            EXPECT_EQ(3, mapCount());
            EXPECT_EQ(2, addressCount()); // lo's and qs0's
            // The links go while the refresh runs: its answers stay those of its one reading.
            Build("ip link del qs0");
            EXPECT_TRUE(rowFound());
            EXPECT_EQ(3, mapCount());
            EXPECT_EQ(2, addressCount());
            NET_LUID luid{};
            EXPECT_EQ(NO_ERROR, toLuid(index, &luid));
            {
                const TInterfaceScan inner; // shares the outer reading
                EXPECT_TRUE(rowFound());
            }
            EXPECT_TRUE(rowFound()) << "the inner scan leaves the outer one open";
        }
        EXPECT_FALSE(rowFound());
        EXPECT_EQ(1, mapCount());
        EXPECT_EQ(1, addressCount());
        // A scan's first reading is of that moment.
        const TInterfaceScan scan;
        EXPECT_FALSE(rowFound());
    });
}

TEST(LinuxIpHelper, TheBulkCountersAreEveryLinksSixtyFourBitRowCounters)
{
    QN_IN_NETWORK_NAMESPACE([] {
        Build("ip link set lo up");
        // Frames sent before the carrier is up are dropped, not counted: wait for it.
        ASSERT_TRUE(test::AddVethPair("qc0", "qc1"));
        const std::uint8_t broadcast[6] = {0xff, 0xff, 0xff, 0xff, 0xff, 0xff};
        const std::size_t sent = test::SendFrames("qc0", broadcast, 20, 1000);
        ASSERT_GT(sent, 20000u);
        std::vector<TLinkCounters> counters;
        ASSERT_EQ(1, ReadLinkCounters(counters));
        ASSERT_EQ(3u, counters.size());
        for (std::size_t i = 1; i < counters.size(); ++i)
            EXPECT_LT(counters[i - 1].Index, counters[i].Index);
        const auto getIfEntry2 = Proc<PFN_GetIfEntry2>("GetIfEntry2");
        for (const TLinkCounters& c : counters) {
            MIB_IF_ROW2 row{};
            row.InterfaceIndex = c.Index;
            ASSERT_EQ(NO_ERROR, getIfEntry2(&row));
            // The same counters, read a moment apart: at most a stray link-local packet between.
            EXPECT_GE(row.InOctets, c.InOctets) << c.Index;
            EXPECT_LT(row.InOctets - c.InOctets, 1000u) << c.Index;
            EXPECT_GE(row.OutOctets, c.OutOctets) << c.Index;
            EXPECT_LT(row.OutOctets - c.OutOctets, 1000u) << c.Index;
            if (c.Index == if_nametoindex("qc0")) {
                EXPECT_GE(c.OutOctets, sent);
            } else if (c.Index == if_nametoindex("qc1")) {
                EXPECT_GE(c.InOctets, sent);
            }
        }
        EXPECT_EQ(counters[0].Index, if_nametoindex("lo"));
    });
}

TEST(LinuxIpHelper, RowsOfAVanishedLinkAreErrorsAndAliasesFallBackToAltNames)
{
    QN_IN_NETWORK_NAMESPACE([] {
        Build("ip link add qa0 mtu 1280 type veth peer name qa1");
        const bool altNames = Shell("ip link property add dev qa1 altname qa1-alternative") == 0;
        const auto getIfEntry = Proc<PFN_GetIfEntry>("GetIfEntry");
        const auto getIfEntry2 = Proc<PFN_GetIfEntry2>("GetIfEntry2");
        const DWORD index = if_nametoindex("qa0");
        MIB_IFROW row{};
        row.dwIndex = index;
        ASSERT_EQ(getIfEntry(&row), NO_ERROR);
        EXPECT_EQ(WideToUtf8(row.wszName, MAX_INTERFACE_NAME_LEN), "qa0");
        EXPECT_EQ(row.dwMtu, 1280u);
        EXPECT_EQ(row.dwAdminStatus, MIB_IF_ADMIN_STATUS_DOWN);
        EXPECT_EQ(row.dwOperStatus, IF_OPER_STATUS_NON_OPERATIONAL);
        MIB_IF_ROW2 row2{};
        row2.InterfaceIndex = index;
        ASSERT_EQ(getIfEntry2(&row2), NO_ERROR);
        EXPECT_EQ(row2.OperStatus, IfOperStatusDown);
        EXPECT_EQ(row2.InterfaceLuid.Info.NetLuidIndex, index);
        // Selection by LUID when one is given.
        MIB_IF_ROW2 byLuid{};
        byLuid.InterfaceLuid = row2.InterfaceLuid;
        byLuid.InterfaceIndex = 999;
        ASSERT_EQ(getIfEntry2(&byLuid), NO_ERROR);
        EXPECT_EQ(byLuid.InterfaceIndex, index);

        if (altNames) {
            MIB_IF_ROW2 peer{};
            peer.InterfaceIndex = if_nametoindex("qa1");
            ASSERT_EQ(getIfEntry2(&peer), NO_ERROR);
            EXPECT_EQ(WideToUtf8(peer.Alias, IF_MAX_STRING_SIZE + 1), "qa1-alternative");
            Build("ip link set qa1 alias 'Peer side'");
            ASSERT_EQ(getIfEntry2(&peer), NO_ERROR);
            EXPECT_EQ(WideToUtf8(peer.Alias, IF_MAX_STRING_SIZE + 1), "Peer side");
            const auto toLuid = Proc<PFN_ConvertInterfaceIndexToLuid>("ConvertInterfaceIndexToLuid");
            const auto toAlias = Proc<PFN_ConvertInterfaceLuidToAlias>("ConvertInterfaceLuidToAlias");
            NET_LUID luid{};
            ASSERT_EQ(toLuid(peer.InterfaceIndex, &luid), NO_ERROR);
            WCHAR alias[IF_MAX_STRING_SIZE + 1];
            ASSERT_EQ(toAlias(&luid, alias, IF_MAX_STRING_SIZE + 1), NO_ERROR);
            EXPECT_EQ(WideToUtf8(alias, IF_MAX_STRING_SIZE + 1), "Peer side");
            EXPECT_EQ(toAlias(&luid, alias, 4), ERROR_NOT_ENOUGH_MEMORY);
        }

        Build("ip link del qa0");
        MIB_IFROW gone{};
        gone.dwIndex = index;
        EXPECT_NE(getIfEntry(&gone), NO_ERROR);
        EXPECT_EQ(gone.dwInOctets, 0u);
        MIB_IF_ROW2 gone2{};
        gone2.InterfaceIndex = index;
        EXPECT_EQ(getIfEntry2(&gone2), ERROR_FILE_NOT_FOUND);
        NET_LUID luid{};
        EXPECT_NE(Proc<PFN_ConvertInterfaceIndexToLuid>("ConvertInterfaceIndexToLuid")(index, &luid), NO_ERROR);
    });
}

TEST(LinuxIpHelper, DnsServersGoToTheInterfaceThatReachesThem)
{
    QN_IN_NETWORK_NAMESPACE([] {
        // A resolver configuration of our own, visible only in this mount namespace.
        char path[] = "/tmp/qn-resolv-XXXXXX";
        const int fd = mkstemp(path);
        ASSERT_GE(fd, 0);
        const std::string text = "# test\nnameserver 192.0.2.53\nnameserver 2001:db8::1\nsearch lan.example\n";
        ASSERT_EQ(write(fd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
        close(fd);
        const bool mounted = mount(path, "/etc/resolv.conf", nullptr, MS_BIND, nullptr) == 0;
        unlink(path);
        if (!mounted)
            test::SkipInNamespace("cannot mount a resolver configuration over /etc/resolv.conf");
        Build("ip link add qa0 type veth peer name qa1");
        Build("ip addr add 192.0.2.10/24 dev qa0");
        Build("ip link set qa0 up");
        Build("ip link set qa1 up");

        const auto getAdaptersAddresses = Proc<PFN_GetAdaptersAddresses>("GetAdaptersAddresses");
        ULONG size = 0;
        ASSERT_EQ(getAdaptersAddresses(AF_INET, GAA_FLAG_INCLUDE_PREFIX, nullptr, nullptr, &size),
                  ERROR_BUFFER_OVERFLOW);
        std::vector<std::uint64_t> buffer(size / 8 + 1);
        auto* first = reinterpret_cast<PIP_ADAPTER_ADDRESSES>(buffer.data());
        ASSERT_EQ(getAdaptersAddresses(AF_INET, GAA_FLAG_INCLUDE_PREFIX, nullptr, first, &size), NO_ERROR);
        int seen = 0;
        for (const IP_ADAPTER_ADDRESSES* entry = first; entry; entry = entry->Next) {
            const std::string name = entry->AdapterName;
            std::vector<std::string> servers;
            for (auto* s = entry->FirstDnsServerAddress; s; s = s->Next) {
                const auto* in = reinterpret_cast<const SOCKADDR_IN*>(s->Address.lpSockaddr);
                char dotted[16];
                inet_ntop(AF_INET, &in->sin_addr.S_un.S_addr, dotted, sizeof(dotted));
                servers.push_back(dotted);
            }
            if (name == "qa0") {
                ++seen;
                EXPECT_EQ(servers, std::vector<std::string>{"192.0.2.53"});
                EXPECT_EQ(WideToUtf8(entry->DnsSuffix, 256), "lan.example");
                ASSERT_NE(entry->FirstUnicastAddress, nullptr);
                EXPECT_EQ(entry->FirstUnicastAddress->OnLinkPrefixLength, 24);
                ASSERT_NE(entry->FirstPrefix, nullptr);
                EXPECT_EQ(entry->FirstPrefix->PrefixLength, 24u);
                EXPECT_NE(entry->Flags & IP_ADAPTER_IPV4_ENABLED, 0u);
            } else {
                EXPECT_TRUE(servers.empty()) << name;
            }
        }
        EXPECT_EQ(seen, 1);
        EXPECT_EQ(getAdaptersAddresses(AF_INET6, 0, nullptr, first, &size), ERROR_NOT_SUPPORTED);

        const auto getNetworkParams = Proc<PFN_GetNetworkParams>("GetNetworkParams");
        ULONG paramsSize = 0;
        ASSERT_EQ(getNetworkParams(nullptr, &paramsSize), ERROR_BUFFER_OVERFLOW);
        std::vector<std::uint64_t> params(paramsSize / 8 + 1);
        auto* info = reinterpret_cast<PFIXED_INFO>(params.data());
        ASSERT_EQ(getNetworkParams(info, &paramsSize), NO_ERROR);
        EXPECT_STREQ(info->DnsServerList.IpAddress.String, "192.0.2.53");
        EXPECT_EQ(info->DnsServerList.Next, nullptr); // the IPv6 server has no IPv4 text
        EXPECT_EQ(info->CurrentDnsServer, &info->DnsServerList);
        EXPECT_EQ(info->EnableDns, 1u);
    });
}

TEST(LinuxIpHelper, AnAddressChangeSignalsThePendingRequestOnce)
{
    QN_IN_NETWORK_NAMESPACE([] {
        Build("ip link add qa0 type veth peer name qa1");
        const auto notify = Proc<PFN_NotifyAddrChange>("NotifyAddrChange");
        HANDLE event = CreateEvent(false, false);
        OVERLAPPED overlapped{};
        overlapped.hEvent = event;
        HANDLE handle = nullptr;
        ASSERT_EQ(notify(&handle, &overlapped), ERROR_IO_PENDING);
        EXPECT_NE(handle, nullptr);
        EXPECT_EQ(WaitForSingleObject(event, 50), WAIT_TIMEOUT);
        Build("ip addr add 192.0.2.10/24 dev qa0");
        EXPECT_EQ(WaitForSingleObject(event, 5000), WAIT_OBJECT_0);
        // Completed: a later change is not reported until the next request ...
        Build("ip addr add 192.0.2.11/24 dev qa0");
        EXPECT_EQ(WaitForSingleObject(event, 50), WAIT_TIMEOUT);
        // ... which it completes at once: a change between two requests is never lost.
        ASSERT_EQ(notify(&handle, &overlapped), ERROR_IO_PENDING);
        EXPECT_EQ(WaitForSingleObject(event, 5000), WAIT_OBJECT_0);
        // With nothing queued, the next request waits for the next change.
        ASSERT_EQ(notify(&handle, &overlapped), ERROR_IO_PENDING);
        EXPECT_EQ(WaitForSingleObject(event, 50), WAIT_TIMEOUT);
        Build("ip link set qa0 up");
        EXPECT_EQ(WaitForSingleObject(event, 5000), WAIT_OBJECT_0);

        ASSERT_EQ(notify(&handle, &overlapped), ERROR_IO_PENDING);
        EXPECT_TRUE(CancelIPChangeNotify(&overlapped));
        Build("ip addr del 192.0.2.11/24 dev qa0");
        EXPECT_EQ(WaitForSingleObject(event, 50), WAIT_TIMEOUT);
        EXPECT_FALSE(CancelIPChangeNotify(&overlapped));
        EXPECT_TRUE(CloseHandle(event));
    });
}

// 260 alternative names of 120 characters make one link message larger than the 32 KiB the kernel
// fills a dump datagram to unless told to size it for the largest link; it then ended the dump
// there without an error, and every later link was missing.
TEST(LinuxIpHelper, ALinkWithManyAlternativeNamesHidesNoOtherLink)
{
    QN_IN_NETWORK_NAMESPACE([] {
        Build("ip link add qa0 type veth peer name qa1");
        char path[] = "/tmp/qn-altnames-XXXXXX";
        const int fd = mkstemp(path);
        ASSERT_GE(fd, 0);
        close(fd);
        {
            std::ofstream batch(path);
            for (int i = 0; i < 260; ++i) {
                char name[128];
                std::snprintf(name, sizeof(name), "alt%03d%0117d", i, 0);
                batch << "link property add dev qa0 altname " << name << "\n";
            }
            for (int i = 0; i < 100; ++i)
                batch << "link add qb" << i << " type veth peer name qc" << i << "\n";
        }
        const int built = Shell(std::string("ip -batch ") + path);
        std::remove(path);
        if (built != 0)
            test::SkipInNamespace("this kernel or iproute2 has no alternative names");
        const auto getInterfaceInfo = Proc<PFN_GetInterfaceInfo>("GetInterfaceInfo");
        ULONG size = 0;
        ASSERT_EQ(getInterfaceInfo(nullptr, &size), ERROR_INSUFFICIENT_BUFFER);
        std::vector<std::uint64_t> buffer(size / 8 + 1);
        ASSERT_EQ(getInterfaceInfo(reinterpret_cast<PIP_INTERFACE_INFO>(buffer.data()), &size), NO_ERROR);
        const auto* table = reinterpret_cast<const IP_INTERFACE_INFO*>(buffer.data());
        EXPECT_EQ(table->NumAdapters, 203); // lo, qa0, qa1 and 100 pairs
        const auto getAdaptersInfo = Proc<PFN_GetAdaptersInfo>("GetAdaptersInfo");
        size = 0;
        ASSERT_EQ(getAdaptersInfo(nullptr, &size), ERROR_BUFFER_OVERFLOW);
        std::vector<std::uint64_t> records(size / 8 + 1);
        ASSERT_EQ(getAdaptersInfo(reinterpret_cast<PIP_ADAPTER_INFO>(records.data()), &size), NO_ERROR);
        int adapters = 0;
        bool last = false;
        for (auto* info = reinterpret_cast<const IP_ADAPTER_INFO*>(records.data()); info; info = info->Next) {
            ++adapters;
            last = last || std::string(info->AdapterName) == "qc99";
        }
        EXPECT_EQ(adapters, 203);
        EXPECT_TRUE(last) << "the last link is missing";
    });
}

} // namespace
} // namespace qn
