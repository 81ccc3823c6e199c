// The snapshot against the real kernel, inside a private network namespace: interfaces built with
// known properties are reported exactly, traffic raises the counters, a deleted interface reads 0.
#include "netdata/network_configuration.h"
#include "netdata/traffic_counter_pass.h"

#include "support/network_namespace.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <arpa/inet.h>
#include <cstring>
#include <fstream>
#include <net/if.h>
#include <unistd.h>

namespace qn::test {
namespace {

// The test network: a veth pair with two addresses, an alias and the default route on one end; a
// bridge with one address; a macvlan on the other veth end that stays down.
void BuildTestNetwork()
{
    Build("ip link add qa0 address 02:00:00:00:00:a0 mtu 1400 type veth peer name qa1 address 02:00:00:00:00:a1");
    Build("ip link set qa0 alias 'Uplink A'");
    Build("ip addr add 192.0.2.10/24 dev qa0");
    Build("ip addr add 198.51.100.20/25 dev qa0");
    Build("ip link set qa0 up");
    Build("ip link set qa1 up");
    Build("ip route add default via 192.0.2.1 dev qa0");
    Build("ip link add qbr0 address 02:00:00:00:00:b0 type bridge");
    Build("ip addr add 203.0.113.5/24 dev qbr0");
    Build("ip link set qbr0 up");
    Build("ip link add qmv0 link qa1 address 02:00:00:00:00:c0 mtu 1300 type macvlan mode bridge");
    Build("ip neigh add 192.0.2.1 lladdr 02:00:00:00:00:99 dev qa0 nud permanent");
}

TEST(NetworkConfigurationKernel, ReportsBuiltInterfacesExactly)
{
    QN_IN_NETWORK_NAMESPACE([] {
        BuildTestNetwork();
        if (::testing::Test::HasFatalFailure())
            return;
        TNetworkConfiguration config;
        config.RefreshData();
        ASSERT_EQ(config.AdapterCount(), 5);

        const int lo = config.FindAdapter(std::string("lo"));
        ASSERT_GE(lo, 0);
        EXPECT_EQ(config.Adapters(static_cast<std::uint16_t>(lo)).Typ, TAdapterType::atLoopback);

        const int a0 = config.FindAdapter(std::string("qa0"));
        ASSERT_GE(a0, 0);
        const TAdapter veth = config.Adapters(static_cast<std::uint16_t>(a0));
        EXPECT_EQ(veth.MACAddress, "02:00:00:00:00:A0");
        EXPECT_EQ(veth.MTU, 1400u);
        EXPECT_EQ(veth._Typ, 6u);
        EXPECT_EQ(veth.Typ, TAdapterType::atEthernet);
        EXPECT_EQ(veth.Alias, "Uplink A");
        EXPECT_EQ(veth.Description, "veth");
        EXPECT_EQ(veth.AdminStatus, TAdapterAdminStatus::aasUp);
        // The speed sysfs shows for the link, in bits per second.
        std::ifstream speedFile("/sys/class/net/qa0/speed");
        std::uint64_t mbits = 0;
        if (speedFile >> mbits) {
            EXPECT_EQ(veth.MaxSpeed, mbits * 1000000u);
        }
        EXPECT_EQ(veth._Status, 5u);
        EXPECT_EQ(veth.IntfIdx, if_nametoindex("qa0"));
        EXPECT_EQ(veth.IPAddress.Lines(),
                  (std::vector<std::string>{"192.0.2.10=255.255.255.0", "198.51.100.20=255.255.255.128"}));
        EXPECT_EQ(veth.Gateways.Lines(), std::vector<std::string>{"192.0.2.1=0.0.0.0"});
        EXPECT_FALSE(veth.DHCPEnabled);
        EXPECT_TRUE(veth.IPv4Enabled);

        const TAdapter bridge = config.Adapters(static_cast<std::uint16_t>(config.FindAdapter(std::string("qbr0"))));
        EXPECT_EQ(bridge.MACAddress, "02:00:00:00:00:B0");
        EXPECT_EQ(bridge.Description, "bridge");
        EXPECT_EQ(bridge.IPAddress.Lines(), std::vector<std::string>{"203.0.113.5=255.255.255.0"});
        EXPECT_EQ(bridge.Alias, "");

        const TAdapter macvlan = config.Adapters(static_cast<std::uint16_t>(config.FindAdapter(std::string("qmv0"))));
        EXPECT_EQ(macvlan.MACAddress, "02:00:00:00:00:C0");
        EXPECT_EQ(macvlan.MTU, 1300u);
        EXPECT_EQ(macvlan._Typ, 6u);
        EXPECT_EQ(macvlan.AdminStatus, TAdapterAdminStatus::aasDown);
        EXPECT_EQ(macvlan.OperStatus, TAdapterOperationalStatus::aosNonOperational);
        EXPECT_EQ(macvlan._Status, 0u);
        EXPECT_EQ(macvlan.MaxSpeed, 0u); // a link that is down has no speed
        EXPECT_EQ(macvlan.IPAddress.Lines(), std::vector<std::string>{"="});
        EXPECT_EQ(macvlan.IntfIdx, if_nametoindex("qmv0"));

        EXPECT_EQ(config.BestInterfaceIdx(), if_nametoindex("qa0"));
        EXPECT_EQ(config.CurrentIP(), "192.0.2.10");
        EXPECT_EQ(config.CurrentMAC(), "02:00:00:00:00:A0");
        EXPECT_EQ(config.CurrentNetwork(), "Uplink A");
        EXPECT_GE(config.FindAddress(std::string("198.51.100.20")), 0);
        // The kernel adds NOARP entries of its own (loopback, broadcast); they are static rows too.
        const auto& rows = config.ARPRecords();
        const auto gateway =
            std::find_if(rows.begin(), rows.end(), [](const TAddressRecord& ARow) { return ARow.IP == "192.0.2.1"; });
        ASSERT_NE(gateway, rows.end());
        EXPECT_EQ(gateway->Physical, "02:00:00:00:00:99");
        EXPECT_EQ(gateway->ARPType, 4u);
        EXPECT_EQ(gateway->IntfIdx, if_nametoindex("qa0"));
        for (const TAddressRecord& row : rows)
            EXPECT_EQ(row.ARPType, 4u) << row.IP;
    });
}

TEST(NetworkConfigurationKernel, AFreshNamespaceHasNoRouteAndEndsAtTheEmptyArpCache)
{
    QN_IN_NETWORK_NAMESPACE([] {
        TNetworkConfiguration config;
        config.RefreshData();
        ASSERT_EQ(config.AdapterCount(), 1);
        EXPECT_EQ(config.Adapters(0).Name, "lo");
        EXPECT_EQ(config.Adapters(0).IPAddress.Lines(), std::vector<std::string>{"127.0.0.1=255.0.0.0"});
        EXPECT_EQ(config.AddressRecordCount(), 1);
        EXPECT_EQ(config.ARPRecordCount(), 0);
        EXPECT_EQ(config.BestInterfaceIdx(), 0u);
        EXPECT_EQ(config.CurrentIP(), "");
    });
}

TEST(NetworkConfigurationKernel, ATunDefaultRouteWithNoNeighboursIsTheBestInterface)
{
    QN_IN_NETWORK_NAMESPACE([] {
        // A tun link resolves no addresses: its neighbour table stays empty however it is used.
        if (Shell("ip tuntap add mode tun dev qtun0") != 0)
            SkipInNamespace("cannot create a tun device here");
        Build("ip addr add 192.0.2.2/24 dev qtun0");
        Build("ip link set qtun0 up");
        Build("ip route add default dev qtun0");
        if (::testing::Test::HasFatalFailure())
            return;
        TNetworkConfiguration config;
        config.RefreshData();
        EXPECT_EQ(config.ARPRecordCount(), 0);
        EXPECT_EQ(config.BestInterfaceIdx(), if_nametoindex("qtun0"));

        // Entries that never expire are the static rows of the cache, NOARP ones included.
        Build("ip link add qa0 type veth peer name qa1");
        Build("ip link set qa0 up");
        Build("ip neigh add 192.0.2.7 lladdr 02:00:00:00:00:07 dev qa0 nud permanent");
        Build("ip neigh add 192.0.2.8 lladdr 02:00:00:00:00:08 dev qa0 nud noarp");
        config.RefreshData();
        ASSERT_EQ(config.ARPRecordCount(), 2);
        for (const TAddressRecord& row : config.ARPRecords())
            EXPECT_EQ(row.ARPType, 4u) << row.IP;
        EXPECT_EQ(config.BestInterfaceIdx(), if_nametoindex("qtun0"));
    });
}

TEST(NetworkConfigurationKernel, NamesThatDifferOnlyByCaseOrInOtherBytesAreTwoInterfaces)
{
    QN_IN_NETWORK_NAMESPACE([] {
        Build("ip link add qc type veth peer name QC");
        // Bytes that are not UTF-8: the kernel allows them in names.
        Build("ip link add \"$(printf 'q\\377')\" type veth peer name \"$(printf 'q\\376')\"");
        if (::testing::Test::HasFatalFailure())
            return;
        TNetworkConfiguration config;
        config.RefreshData();
        for (const char* name : {"qc", "QC", "q\xff", "q\xfe"}) {
            const int i = config.FindAdapter(std::string(name));
            ASSERT_GE(i, 0) << name;
            EXPECT_EQ(config.Adapters(i).Name, name);
            EXPECT_EQ(config.Adapters(i).IntfIdx, if_nametoindex(name)) << name;
        }
        EXPECT_NE(config.FindAdapter(std::string("qc")), config.FindAdapter(std::string("QC")));
        EXPECT_EQ(config.FindAdapter(std::string("Qc")), -1);
    });
}

TEST(NetworkConfigurationKernel, TrafficAcrossAVethPairRaisesTheCountersAndADeletedLinkReadsZero)
{
    QN_IN_NETWORK_NAMESPACE([] {
        Build("ip link add qa0 address 02:00:00:00:00:a0 type veth peer name qa1 address 02:00:00:00:00:a1");
        Build("ip link set qa0 up");
        Build("ip link set qa1 up");
        if (::testing::Test::HasFatalFailure())
            return;
        TNetworkConfiguration config;
        config.RefreshData();
        const std::uint32_t a0 = if_nametoindex("qa0");
        const std::uint32_t a1 = if_nametoindex("qa1");
        std::uint64_t out0 = 0, in0 = 0, in1 = 0, ignored = 0;
        config.GetTraffic(a0, ignored, out0);
        config.GetTraffic(a1, in1, ignored);
        const std::uint8_t peer[6] = {0x02, 0, 0, 0, 0, 0xa1};
        const std::size_t sent = SendFrames("qa0", peer, 200, 1000);
        ASSERT_GT(sent, 200u * 1000u);
        std::uint64_t out0After = 0, in1After = 0;
        // Reads within a pass share one reading; the next pass sees the frames.
        HostCounterPass().Invalidate();
        config.GetTraffic(a0, in0, out0After);
        config.GetTraffic(a1, in1After, ignored);
        EXPECT_GE(out0After - out0, sent);
        EXPECT_GE(in1After - in1, sent);

        Build("ip link del qa0");
        HostCounterPass().Invalidate();
        std::uint64_t in = 1, out = 1;
        config.GetTraffic(a0, in, out);
        EXPECT_EQ(in, 0u);
        EXPECT_EQ(out, 0u);
        config.GetTraffic(a1, in, out); // the peer went with it
        EXPECT_EQ(in, 0u);
        EXPECT_EQ(out, 0u);
    });
}

TEST(NetworkConfigurationKernel, TwoHundredInterfacesAllArrive)
{
    QN_IN_NETWORK_NAMESPACE([] {
        Build("ip link add qv0 type veth peer name qw0");
        for (int i = 1; i < 100; ++i)
            Build(("ip link add qv" + std::to_string(i) + " type veth peer name qw" + std::to_string(i)).c_str());
        for (int i = 0; i < 40; ++i)
            Build(("ip addr add 198.51.100." + std::to_string(i + 1) + "/32 dev qv0").c_str());
        if (::testing::Test::HasFatalFailure())
            return;
        TNetworkConfiguration config;
        config.RefreshData();
        EXPECT_EQ(config.AdapterCount(), 201);
        const int qv0 = config.FindAdapter(std::string("qv0"));
        ASSERT_GE(qv0, 0);
        EXPECT_EQ(config.Adapters(static_cast<std::uint16_t>(qv0)).IPAddress.Count(), 40);
        EXPECT_EQ(config.AddressRecordCount(), 41);
    });
}

} // namespace
} // namespace qn::test
