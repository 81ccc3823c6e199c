// The interface snapshot against the scripted IP helper service: every query step, its failure
// handling, the chain and buffer rules, and the text forms.
#include "netdata/network_configuration.h"

#include "support/fake_ip_helper.h"

#include <gtest/gtest.h>

#include <cstring>

namespace qn::test {
namespace {

TFakeInterface Ethernet()
{
    TFakeInterface intf;
    intf.Index = 7;
    intf.Name = "eth0";
    intf.Description = "  e1000e \t";
    intf.Alias = " Wired ";
    intf.Mac = {0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0x5e};
    intf.Type = 6;
    intf.Mtu = 1400;
    intf.Speed = 100000000;
    intf.TransmitLinkSpeed = 10000000000ull;
    intf.Addresses = {{"192.0.2.10", "255.255.255.0"}, {"198.51.100.7", "255.255.0.0"}};
    intf.Gateways = {{"192.0.2.1", "0.0.0.0"}};
    intf.Dhcp = true;
    intf.AddressesFlags = IP_ADAPTER_DDNS_ENABLED | IP_ADAPTER_IPV4_ENABLED | IP_ADAPTER_IPV6_ENABLED;
    intf.DnsSuffix = "lan.example";
    intf.DnsServers = {"192.0.2.53", "192.0.2.54"};
    return intf;
}

TFakeInterface Loopback()
{
    TFakeInterface intf;
    intf.Index = 1;
    intf.Name = "lo";
    intf.Description = "loopback";
    intf.Type = 24;
    intf.Mtu = 65536;
    intf.Addresses = {{"127.0.0.1", "255.0.0.0"}};
    intf.AddressesFlags = IP_ADAPTER_IPV4_ENABLED | IP_ADAPTER_NETBIOS_OVER_TCPIP_ENABLED;
    return intf;
}

void Script(TFakeIpHelper& AFake)
{
    AFake.Interfaces = {Loopback(), Ethernet()};
    AFake.AddAddress("127.0.0.1", "255.0.0.0", 1);
    AFake.AddAddress("192.0.2.10", "255.255.255.0", 7, MIB_IPADDR_PRIMARY | MIB_IPADDR_DYNAMIC);
    AFake.AddNeighbour("192.0.2.1", {0x02, 0xfc, 0, 0, 0, 5}, 7);
    AFake.BestInterface = 7;
}

TEST(NetworkConfiguration, RefreshReadsEveryStepIntoTheRecords)
{
    TFakeIpHelper fake;
    Script(fake);
    TNetworkConfiguration config;
    config.RefreshData();

    ASSERT_EQ(config.AdapterCount(), 2);
    const TAdapter eth = config.Adapters(1);
    EXPECT_EQ(eth.Description, "e1000e");
    EXPECT_EQ(eth.Name, "eth0");
    EXPECT_EQ(eth.Alias, "Wired");
    EXPECT_EQ(eth.MACAddress, "00:1A:2B:3C:4D:5E");
    EXPECT_EQ(eth.MaxSpeed, 10000000000ull); // the extended row wins over the 32-bit speed
    EXPECT_EQ(eth.MTU, 1400u);
    EXPECT_EQ(eth.Typ, TAdapterType::atEthernet);
    EXPECT_EQ(eth._Typ, 6u);
    EXPECT_EQ(eth.AdminStatus, TAdapterAdminStatus::aasUp);
    EXPECT_EQ(eth.OperStatus, TAdapterOperationalStatus::aosOperational);
    EXPECT_EQ(eth._Status, 5u);
    EXPECT_TRUE(eth.DHCPEnabled);
    EXPECT_TRUE(eth.DNSEnabled);
    EXPECT_FALSE(eth.NETBIOSEnabled);
    EXPECT_TRUE(eth.IPv4Enabled);
    EXPECT_TRUE(eth.IPv6Enabled);
    ASSERT_EQ(eth.IPAddress.Count(), 2);
    EXPECT_EQ(eth.IPAddress[0], "192.0.2.10=255.255.255.0");
    EXPECT_EQ(eth.IPAddress.Names(1), "198.51.100.7");
    EXPECT_EQ(eth.IPAddress.ValueFromIndex(1), "255.255.0.0");
    EXPECT_EQ(eth.Gateways.Lines(), std::vector<std::string>{"192.0.2.1=0.0.0.0"});
    // Lists without entries still hold the embedded first entry: the equals sign alone.
    EXPECT_EQ(eth.DHCPServers.Lines(), std::vector<std::string>{"="});
    EXPECT_EQ(eth.SecondaryWINS.Lines(), std::vector<std::string>{"="});
    EXPECT_EQ(eth.DNSServers.Lines(), (std::vector<std::string>{"192.0.2.53", "192.0.2.54"}));
    EXPECT_EQ(eth.DNSSuffix, "lan.example");
    EXPECT_EQ(eth.IntfIdx, 7u);

    const TAdapter lo = config.Adapters(0);
    EXPECT_EQ(lo.Typ, TAdapterType::atLoopback);
    EXPECT_TRUE(lo.NETBIOSEnabled);
    EXPECT_EQ(lo.MACAddress, "");

    EXPECT_EQ(config.InterfaceNames().Lines(), (std::vector<std::string>{"lo=1", "eth0=7"}));
    EXPECT_EQ(config.HostName(), "testhost");
    EXPECT_EQ(config.DomainName(), "example.test");
    EXPECT_EQ(config.PrimaryDNSSuffix(), "192.0.2.53");
    EXPECT_EQ(config.DNSServers().Lines(), std::vector<std::string>{"192.0.2.53"});
    EXPECT_EQ(config.NodeType(), TNodeType::ntHybrid);
    EXPECT_TRUE(config.DNSEnabled());
    EXPECT_FALSE(config.RoutingEnabled());

    ASSERT_EQ(config.AddressRecordCount(), 2);
    const TAddressRecord& address = config.AddressRecords()[1];
    EXPECT_EQ(address.IP, "192.0.2.10");
    EXPECT_EQ(address.Mask, "255.255.255.0");
    EXPECT_EQ(address.IntfIdx, 7u);
    EXPECT_TRUE(address.Typ.Contains(TAddressTypes::atPrimary));
    EXPECT_TRUE(address.Typ.Contains(TAddressTypes::atDynamic));
    EXPECT_FALSE(address.Typ.Contains(TAddressTypes::atTransient));
    EXPECT_EQ(address.Typ.Bits, 0b11);
    EXPECT_EQ(address.ARPType, 0u);

    ASSERT_EQ(config.ARPRecordCount(), 1);
    const TAddressRecord& neighbour = config.ARPRecords()[0];
    EXPECT_EQ(neighbour.IP, "192.0.2.1");
    EXPECT_EQ(neighbour.Mask, "255.255.255.0");
    EXPECT_EQ(neighbour.Physical, "02:FC:00:00:00:05");
    EXPECT_EQ(neighbour.ARPType, 3u);
    EXPECT_EQ(neighbour.Typ.Bits, 0);

    EXPECT_EQ(config.BestInterfaceIdx(), 7u);
    EXPECT_EQ(config.CurrentIP(), "192.0.2.10");
    EXPECT_EQ(config.CurrentMAC(), "00:1A:2B:3C:4D:5E");
    EXPECT_EQ(config.CurrentNetwork(), "Wired");
}

TEST(NetworkConfiguration, WithoutTheExtendedRowNamesComeFromThePlainRowAndTheLuidAlias)
{
    TFakeIpHelper fake;
    Script(fake);
    fake.Interfaces[1].RowName = "  Ethernet adapter ";
    fake.Interfaces[1].LuidAlias = " Office LAN ";
    fake.Remove("GetIfEntry2");
    TNetworkConfiguration config;
    config.RefreshData();
    const TAdapter eth = config.Adapters(1);
    EXPECT_EQ(eth.Name, "Ethernet adapter");
    EXPECT_EQ(eth.Alias, " Office LAN "); // the converted alias is not trimmed
    EXPECT_EQ(eth.MaxSpeed, 100000000u);
    // No map line matches the row name: the adapter's own index is kept.
    EXPECT_EQ(eth.IntfIdx, 7u);

    fake.Remove("ConvertInterfaceLuidToAlias");
    config.RefreshData();
    EXPECT_EQ(config.Adapters(1).Alias, "");
}

TEST(NetworkConfiguration, AFailedInterfaceRowLeavesTheAdapterNameAndZeroStatus)
{
    TFakeIpHelper fake;
    Script(fake);
    fake.Interfaces[1].IfEntryFails = true;
    fake.Interfaces[1].IfEntry2Fails = true;
    fake.Interfaces[1].Name = " {5A7B-11} ";
    TNetworkConfiguration config;
    config.RefreshData();
    const TAdapter eth = config.Adapters(1);
    EXPECT_EQ(eth.Name, "{5A7B-11}");
    EXPECT_EQ(eth.MaxSpeed, 0u);
    EXPECT_EQ(eth.MTU, 0u);
    EXPECT_EQ(eth.AdminStatus, TAdapterAdminStatus::aasUnknown);
    EXPECT_EQ(eth.OperStatus, TAdapterOperationalStatus::aosNonOperational);
    EXPECT_EQ(eth._Status, 0u);
    EXPECT_EQ(eth.Alias, " Wired "); // still completed through the LUID, untrimmed
}

TEST(NetworkConfiguration, InterfaceMapNamesAreCutAfterTheBraceAndGiveTheIndex)
{
    TFakeIpHelper fake;
    Script(fake);
    fake.Interfaces[1].MapName = "\\DEVICE\\TCPIP_{ABCD-EF}#trailing";
    fake.Interfaces[1].Row2Description = "\\DEVICE\\TCPIP_{ABCD-EF}";
    TNetworkConfiguration config;
    config.RefreshData();
    EXPECT_EQ(config.InterfaceNames()[1], "\\DEVICE\\TCPIP_{ABCD-EF}=7");
    EXPECT_EQ(config.Adapters(1).IntfIdx, 7u);

    // The map's index wins over the adapter's when the names match.
    fake.Interfaces[1].MapName = "\\DEVICE\\TCPIP_{ABCD-EF}";
    fake.Interfaces[1].Index = 7;
    TFakeInterface other = fake.Interfaces[1];
    fake.Interfaces[1].Index = 9; // map entry and rows for index 9 ...
    fake.Interfaces.push_back(other);
    fake.Interfaces.back().Index = 12;
    fake.Interfaces.back().MapName = "unrelated";
    config.RefreshData();
    ASSERT_EQ(config.AdapterCount(), 3);
    EXPECT_EQ(config.Adapters(2).IntfIdx, 9u); // ... the adapter of index 12 is keyed by the map's 9

    fake.Interfaces.back().Row2Description = "\\device\\tcpip_{abcd-ef}";
    config.RefreshData();
    ASSERT_EQ(config.AdapterCount(), 3);
#ifdef _WIN32
    // Windows names that differ only by case are one adapter's: the map lends it its index.
    EXPECT_EQ(config.Adapters(2).IntfIdx, 9u);
#else
    // A map entry whose name differs only by case names another link and lends it no index.
    EXPECT_EQ(config.Adapters(2).IntfIdx, 12u);
#endif
}

TEST(NetworkConfiguration, BuffersGrowAsOftenAsTheServiceAsks)
{
    TFakeIpHelper fake;
    Script(fake);
    fake.GrowthRounds = 3;
    TNetworkConfiguration config;
    config.RefreshData();
    EXPECT_EQ(config.AdapterCount(), 2);
    EXPECT_EQ(config.InterfaceNames().Count(), 2);
    EXPECT_EQ(config.Adapters(1).DNSServers.Count(), 2);
    EXPECT_EQ(config.HostName(), "testhost");
    EXPECT_EQ(config.AddressRecordCount(), 2);
    EXPECT_EQ(config.ARPRecordCount(), 1);
    EXPECT_EQ(fake.CallCount("GetAdaptersInfo"), 5);
    EXPECT_EQ(fake.CallCount("GetNetworkParams"), 5);
    EXPECT_EQ(fake.CallCount("GetInterfaceInfo"), 5);
}

DWORD AlwaysTooSmall(PIP_ADAPTER_INFO, PULONG ASize)
{
    *ASize = 0;
    return ERROR_BUFFER_OVERFLOW;
}

TEST(NetworkConfiguration, AServiceThatIsNeverSatisfiedDoesNotHoldTheRefreshForEver)
{
    TIpHelperTable table;
    table.Library = &table;
    table.GetAdaptersInfo = &AlwaysTooSmall;
    TIpHelperTableGuard guard(table);
    TNetworkConfiguration config;
    config.RefreshData();
    EXPECT_EQ(config.AdapterCount(), 0);
}

ULONG TooManyRows(PMIB_IPADDRTABLE ATable, PULONG ASize, BOOL)
{
    const ULONG needed = sizeof(MIB_IPADDRTABLE);
    if (!ATable || *ASize < needed) {
        *ASize = needed;
        return ERROR_INSUFFICIENT_BUFFER;
    }
    std::memset(ATable, 0, needed);
    ATable->dwNumEntries = 100000; // far more rows than the buffer holds
    return NO_ERROR;
}

DWORD OneAdapterPointingOutside(PIP_ADAPTER_INFO AInfo, PULONG ASize)
{
    if (!AInfo || *ASize < sizeof(IP_ADAPTER_INFO)) {
        *ASize = sizeof(IP_ADAPTER_INFO);
        return ERROR_BUFFER_OVERFLOW;
    }
    std::memset(AInfo, 0, sizeof(IP_ADAPTER_INFO));
    std::strcpy(AInfo->AdapterName, "bad0");
    AInfo->AddressLength = 200; // more than the field holds
    AInfo->Next = AInfo + 50;
    AInfo->IpAddressList.Next = reinterpret_cast<IP_ADDR_STRING*>(AInfo + 60);
    return NO_ERROR;
}

TEST(NetworkConfiguration, RecordsThatPointOutsideTheirBufferAreNotFollowed)
{
    TIpHelperTable table;
    table.Library = &table;
    table.GetAdaptersInfo = &OneAdapterPointingOutside;
    table.GetIpAddrTable = &TooManyRows;
    TIpHelperTableGuard guard(table);
    TNetworkConfiguration config;
    config.RefreshData();
    ASSERT_EQ(config.AdapterCount(), 1);
    EXPECT_EQ(config.Adapters(0).Name, "bad0");
    EXPECT_EQ(config.Adapters(0).MACAddress, "00:00:00:00:00:00:00:00");
    EXPECT_EQ(config.Adapters(0).IPAddress.Count(), 1);
    EXPECT_EQ(config.AddressRecordCount(), 1);
}

DWORD SuccessWithoutRecords(PIP_ADAPTER_INFO, PULONG)
{
    return NO_ERROR; // claims success for a buffer too small for one record
}

TEST(NetworkConfiguration, SuccessForABufferTooSmallForARecordReadsNothing)
{
    TIpHelperTable table;
    table.Library = &table;
    table.GetAdaptersInfo = &SuccessWithoutRecords;
    TIpHelperTableGuard guard(table);
    TNetworkConfiguration config;
    config.RefreshData();
    EXPECT_EQ(config.AdapterCount(), 0);
}

TEST(NetworkConfiguration, MissingFunctionsTakeTheirFallbacks)
{
    TFakeIpHelper fake;
    Script(fake);
    fake.Remove("GetInterfaceInfo");
    fake.Remove("GetAdaptersAddresses");
    fake.Remove("GetBestInterface");
    fake.Interfaces[1].MapName = "eth0";
    TNetworkConfiguration config;
    config.RefreshData();
    ASSERT_EQ(config.AdapterCount(), 2);
    EXPECT_TRUE(config.InterfaceNames().IsEmpty());
    EXPECT_EQ(config.Adapters(1).IntfIdx, 7u);
    EXPECT_TRUE(config.Adapters(1).DNSServers.IsEmpty());
    EXPECT_FALSE(config.Adapters(1).IPv4Enabled);
    EXPECT_EQ(config.BestInterfaceIdx(), 0u);
    EXPECT_EQ(config.CurrentIP(), "");
    EXPECT_EQ(config.CurrentMAC(), "");

    fake.Remove("GetIfEntry");
    fake.Remove("GetIfEntry2");
    std::uint64_t in = 1, out = 1;
    config.GetTraffic(7, in, out);
    EXPECT_EQ(in, 0u);
    EXPECT_EQ(out, 0u);
}

TEST(NetworkConfiguration, AFailedBindingLeavesTheSnapshotEmpty)
{
    TFakeIpHelper fake;
    Script(fake);
    TNetworkConfiguration config;
    config.RefreshData();
    ASSERT_EQ(config.AdapterCount(), 2);
    const int paramsCalls = fake.CallCount("GetNetworkParams");
    fake.Remove("GetAdaptersInfo");
    config.RefreshData();
    EXPECT_EQ(config.AdapterCount(), 0);
    EXPECT_EQ(config.AddressRecordCount(), 0);
    EXPECT_TRUE(config.HostName().empty());
    EXPECT_EQ(fake.CallCount("GetNetworkParams"), paramsCalls);

    fake.RemoveLibrary();
    config.RefreshData();
    EXPECT_EQ(config.AdapterCount(), 0);
    EXPECT_EQ(config.FindAdapter(std::string("eth0")), -1);
    EXPECT_EQ(config.CurrentMAC(), "");
    EXPECT_EQ(config.CurrentNetwork(), "");
}

TEST(NetworkConfiguration, AFailedAdapterQueryStillReadsTheRest)
{
    TFakeIpHelper fake;
    Script(fake);
    fake.ForcedResult["GetAdaptersInfo"] = ERROR_NOT_SUPPORTED;
    TNetworkConfiguration config;
    config.RefreshData();
    EXPECT_EQ(config.AdapterCount(), 0);
    EXPECT_EQ(config.AddressRecordCount(), 2);
    EXPECT_EQ(config.BestInterfaceIdx(), 7u);
    EXPECT_EQ(config.CurrentMAC(), "");
}

TEST(NetworkConfiguration, NoAddressesEndTheRefreshEarlyAnEmptyArpCacheDoesNot)
{
    TFakeIpHelper fake;
    Script(fake);
    fake.AddrTable.clear();
    TNetworkConfiguration config;
    config.RefreshData();
    EXPECT_EQ(config.AdapterCount(), 2);
    EXPECT_EQ(config.HostName(), "testhost");
    EXPECT_EQ(config.AddressRecordCount(), 0);
    EXPECT_EQ(config.ARPRecordCount(), 0);
    EXPECT_EQ(config.BestInterfaceIdx(), 0u);
    EXPECT_EQ(fake.CallCount("GetIpNetTable"), 0);

    // No neighbours (a tun or PPP default route, or no traffic yet) still leaves a best interface.
    Script(fake);
    fake.NetTable.clear();
    config.RefreshData();
    EXPECT_EQ(config.AddressRecordCount(), 2);
    EXPECT_EQ(config.ARPRecordCount(), 0);
    EXPECT_EQ(config.BestInterfaceIdx(), 7u);
}

TEST(NetworkConfiguration, ChainsThatPointBackAtThemselvesEnd)
{
    TFakeIpHelper fake;
    Script(fake);
    fake.SelfLoopChains = true;
    fake.DnsServers = {"192.0.2.53", "192.0.2.99"};
    TNetworkConfiguration config;
    config.RefreshData();
    const TAdapter eth = config.Adapters(1);
    EXPECT_EQ(eth.IPAddress.Count(), 2);
    EXPECT_EQ(eth.Gateways.Count(), 1);
    EXPECT_EQ(eth.DHCPServers.Lines(), std::vector<std::string>{"="});
    EXPECT_EQ(eth.DNSServers.Count(), 2);
    EXPECT_EQ(config.DNSServers().Lines(), (std::vector<std::string>{"192.0.2.53", "192.0.2.99"}));
}

TEST(NetworkConfiguration, ARepeatedDnsServerEndsTheMachineList)
{
    TFakeIpHelper fake;
    Script(fake);
    fake.DnsServers = {"192.0.2.1", "192.0.2.1", "192.0.2.2"};
    TNetworkConfiguration config;
    config.RefreshData();
    EXPECT_EQ(config.DNSServers().Lines(), std::vector<std::string>{"192.0.2.1"});

    // Only a repeat of the line just before ends it.
    fake.DnsServers = {"192.0.2.1", "192.0.2.2", "192.0.2.1"};
    fake.CurrentDnsServer = -1;
    config.RefreshData();
    EXPECT_EQ(config.DNSServers().Count(), 3);
    EXPECT_EQ(config.PrimaryDNSSuffix(), "");
}

TEST(NetworkConfiguration, FindersMatchNamesExactlyAndNeverANegativeIndex)
{
    TFakeIpHelper fake;
    Script(fake);
    fake.Interfaces[1].Name = fake.Interfaces[1].Row2Description = "Ethernet";
    fake.Interfaces[1].Index = 4294967295u;
    fake.BestInterface = 4294967295u;
    TNetworkConfiguration config;
    config.RefreshData();
    EXPECT_EQ(config.FindAdapter(std::string("Ethernet")), 1);
#ifdef _WIN32
    // Windows adapter names match without regard to the case of A to Z.
    EXPECT_EQ(config.FindAdapter(std::string("ethernet")), 1);
#else
    // Linux names are case-sensitive: "ethernet" would be another link.
    EXPECT_EQ(config.FindAdapter(std::string("ethernet")), -1);
#endif
    EXPECT_EQ(config.FindAdapter(std::string("ETHERNET ")), -1);
    EXPECT_EQ(config.FindAdapter(-1), -1);
    EXPECT_EQ(config.FindAdapter(1), 0);
    EXPECT_EQ(config.FindAddress(std::string("127.0.0.1")), 0);
    EXPECT_EQ(config.FindAddress(7u), 1);
    EXPECT_EQ(config.FindAddress(99u), -1);
    EXPECT_EQ(config.CurrentMAC(), ""); // the best index is beyond what FindAdapter accepts
}

TEST(NetworkConfiguration, TwoRefreshesGiveEqualSnapshotsAndResetTheOwnersTags)
{
    TFakeIpHelper fake;
    Script(fake);
    TNetworkConfiguration config;
    config.RefreshData();
    std::vector<TAdapter> first;
    for (int i = 0; i < config.AdapterCount(); ++i)
        first.push_back(config.Adapters(static_cast<std::uint16_t>(i)));
    const TAddressTable firstTable = config.AddressRecords();
    config.SetMark(1, true);
    config.SetImageIndex(1, 9);
    EXPECT_TRUE(config.Mark(1));
    EXPECT_EQ(config.ImageIndex(1), 9);

    config.RefreshData();
    ASSERT_EQ(config.AdapterCount(), 2);
    for (int i = 0; i < 2; ++i) {
        const TAdapter again = config.Adapters(static_cast<std::uint16_t>(i));
        EXPECT_EQ(again, first[static_cast<std::size_t>(i)]);
        EXPECT_FALSE(again._Mark);
        EXPECT_EQ(again._ImageIndex, 0);
    }
    EXPECT_EQ(config.AddressRecords(), firstTable);
    // A copy taken before keeps its own lists.
    EXPECT_EQ(first[1].IPAddress.Count(), 2);
}

TEST(NetworkConfiguration, TypeAndAddressTextForms)
{
    TFakeIpHelper fake;
    Script(fake);
    fake.Interfaces[1].Type = 53;
    fake.Interfaces[0].Mac = {};
    TNetworkConfiguration config;
    config.RefreshData();
    EXPECT_EQ(config.Adapters(1).Typ, TAdapterType::atOther);
    EXPECT_EQ(config.Adapters(1)._Typ, 53u);
    EXPECT_EQ(config.Adapters(0).MACAddress, "");

    struct
    {
        std::uint32_t Type;
        TAdapterType Expected;
    } const types[] = {{1, TAdapterType::atOther},
                       {6, TAdapterType::atEthernet},
                       {9, TAdapterType::atTokenRing},
                       {15, TAdapterType::atFDDI},
                       {23, TAdapterType::atPPP},
                       {24, TAdapterType::atLoopback},
                       {37, TAdapterType::atATM},
                       {71, TAdapterType::atIEEE80211},
                       {131, TAdapterType::atTunnel},
                       {144, TAdapterType::atIEEE1394},
                       {237, TAdapterType::atIEEE80216_WMAN},
                       {243, TAdapterType::atWWANPP},
                       {244, TAdapterType::atWWANPP2},
                       {0, TAdapterType::atOther}};
    for (const auto& c : types)
        EXPECT_EQ(AdapterTypeOf(c.Type), c.Expected) << c.Type;
    EXPECT_STREQ(AdapterTypeNames[static_cast<int>(TAdapterType::atIEEE1394)],
                 "IEEE 1394 (Firewire) high performance serial bus");
    EXPECT_STREQ(OperStatusNames[static_cast<int>(TAdapterOperationalStatus::aosOperational)], "Operational");

    const std::uint8_t bytes[] = {0x0a, 0xff, 0x00};
    EXPECT_EQ(HexAddress(bytes, 3), "0A:FF:00");
    EXPECT_EQ(HexAddress(bytes, 0), "");
    EXPECT_EQ(DottedAddress(InetAddr("8.8.4.4")), "8.8.4.4");
    EXPECT_EQ(InetAddr("8.8.8"), 0xFFFFFFFFu);
    EXPECT_EQ(InetAddr("256.1.1.1"), 0xFFFFFFFFu);
}

TEST(NetworkConfiguration, SubnetMaskFollowsTheAddressClass)
{
    struct
    {
        const char* Ip;
        const char* Mask;
    } const cases[] = {
        {"10.1.2.3", "255.0.0.0"},      {"126.0.0.1", "255.0.0.0"},     {"127.0.0.1", "0.0.0.0"},
        {"128.0.0.1", "255.255.0.0"},   {"191.255.0.1", "255.255.0.0"}, {"192.168.1.1", "255.255.255.0"},
        {"223.1.1.1", "255.255.255.0"}, {"224.0.0.1", "0.0.0.0"},       {"x.1.2.3", "0.0.0.0"},
        {"0.1.2.3", "0.0.0.0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TNetworkConfiguration::GetSubnetMask(c.Ip), c.Mask) << c.Ip;
    try {
        TNetworkConfiguration::GetSubnetMask("10.1.2");
        FAIL() << "no error for a text with two dots";
    } catch (const TIPv4Error& error) {
        EXPECT_STREQ(error.what(), "'10.1.2' is not a valid IPv4 address");
    }
}

TEST(NetworkConfiguration, TrafficReadsTheFullCountersAndOnlyAServiceWithoutThemGivesTheLowOnes)
{
    TFakeIpHelper fake;
    Script(fake);
    fake.Interfaces[1].InOctets = 0x123456789ull;
    fake.Interfaces[1].OutOctets = 0x2000000005ull;
    fake.Interfaces[1].InStep = 1000;
    TNetworkConfiguration config;
    config.RefreshData();
    std::uint64_t in = 0, out = 0;
    config.GetTraffic(7, in, out);
    const std::uint64_t firstIn = in;
    EXPECT_GE(in, 0x123456789ull);
    EXPECT_EQ(out, 0x2000000005ull);
    config.GetTraffic(7, in, out);
    EXPECT_EQ(in, firstIn + 1000);

    // A failing 64-bit row is a failed read, never its low 32 bits: the list must not show a
    // 64-bit total one second and its low half the next.
    fake.Interfaces[1].IfEntry2Fails = true;
    config.GetTraffic(7, in, out);
    EXPECT_EQ(in, 0u);
    EXPECT_EQ(out, 0u);

    fake.Interfaces[1].IfEntry2Fails = false;
    fake.Remove("GetIfEntry2");
    config.GetTraffic(7, in, out);
    EXPECT_LE(in, 0xFFFFFFFFull);
    EXPECT_EQ(out, 5u);

    // An interface that is gone reads as idle.
    config.GetTraffic(99, in, out);
    EXPECT_EQ(in, 0u);
    EXPECT_EQ(out, 0u);
}

TEST(NetworkConfiguration, CurrentPropertiesRefreshAnEmptyAddressTableFirst)
{
    TFakeIpHelper fake;
    Script(fake);
    TNetworkConfiguration config;
    EXPECT_EQ(config.AdapterCount(), 0);
    EXPECT_EQ(config.CurrentIP(), "192.0.2.10");
    EXPECT_EQ(config.AdapterCount(), 2);
    EXPECT_EQ(config.BestInterfaceIdx(), 7u);
    fake.BestInterfaceResult = ERROR_NETWORK_UNREACHABLE;
    EXPECT_EQ(config.CurrentIP(), "");
    EXPECT_EQ(config.CurrentNetwork(), "");
}

} // namespace
} // namespace qn::test
