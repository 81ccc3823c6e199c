// The interface snapshot: RefreshData's fixed series of IP helper queries and the records it builds.
#include "netdata/network_configuration.h"

#include "netdata/ip_helper_counter_source.h"
#include "netdata/ip_helper_table.h"
#include "netdata/query_buffer.h"
#include "netdata/traffic_counter_pass.h"
#include "platform/ascii_text.h"
#include "platform/interface_name.h"
#include "platform/interface_scan.h"
#include "platform/translate_noop.h"
#include "platform/wide_text.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <optional>

namespace qn {

const std::array<const char*, 13> AdapterTypeNames = {
    QT_TRANSLATE_NOOP("qn::TNetworkConfiguration", "Other"),
    QT_TRANSLATE_NOOP("qn::TNetworkConfiguration", "Ethernet"),
    QT_TRANSLATE_NOOP("qn::TNetworkConfiguration", "Token Ring"),
    QT_TRANSLATE_NOOP("qn::TNetworkConfiguration", "FDDI"),
    QT_TRANSLATE_NOOP("qn::TNetworkConfiguration", "PPP"),
    QT_TRANSLATE_NOOP("qn::TNetworkConfiguration", "Loopback"),
    QT_TRANSLATE_NOOP("qn::TNetworkConfiguration", "ATM"),
    QT_TRANSLATE_NOOP("qn::TNetworkConfiguration", "IEEE 802.11 wireless"),
    QT_TRANSLATE_NOOP("qn::TNetworkConfiguration", "Tunnel encapsulation"),
    QT_TRANSLATE_NOOP("qn::TNetworkConfiguration", "IEEE 1394 (Firewire) high performance serial bus"),
    QT_TRANSLATE_NOOP("qn::TNetworkConfiguration", "Mobile broadband for WiMax"),
    QT_TRANSLATE_NOOP("qn::TNetworkConfiguration", "Mobile broadband for GSM"),
    QT_TRANSLATE_NOOP("qn::TNetworkConfiguration", "Mobile broadband for CDMA"),
};

const std::array<const char*, 6> OperStatusNames = {
    QT_TRANSLATE_NOOP("qn::TNetworkConfiguration", "Non Operational"),
    QT_TRANSLATE_NOOP("qn::TNetworkConfiguration", "Unreachable"),
    QT_TRANSLATE_NOOP("qn::TNetworkConfiguration", "Disconnected"),
    QT_TRANSLATE_NOOP("qn::TNetworkConfiguration", "Connecting"),
    QT_TRANSLATE_NOOP("qn::TNetworkConfiguration", "Connected"),
    QT_TRANSLATE_NOOP("qn::TNetworkConfiguration", "Operational"),
};

namespace {

// The interface-name list by the system's name rule (on Linux two links that differ only by case
// must not share an index): each key to its first line.
std::unordered_map<std::string, int> InterfaceNameLines(const TStringList& AList)
{
    std::unordered_map<std::string, int> lines;
    lines.reserve(static_cast<std::size_t>(AList.Count()));
    for (int i = 0; i < AList.Count(); ++i)
        lines.emplace(InterfaceNameKey(AList.Names(i)), i);
    return lines;
}

// A character field up to its NUL, reading at most AMax characters.
std::string FieldText(const char* AField, std::size_t AMax)
{
    const void* nul = std::memchr(AField, 0, AMax);
    return std::string(AField, nul ? static_cast<const char*>(nul) - AField : AMax);
}

void AddAddrChain(const IP_ADDR_STRING& AFirst, const TQueryBuffer& ABuffer, TStringList& AList)
{
    const IP_ADDR_STRING* entry = &AFirst;
    for (std::size_t n = 0; entry && n < ABuffer.MaxChain<IP_ADDR_STRING>(); ++n) {
        AList.Add(FieldText(entry->IpAddress.String, 16) + "=" + FieldText(entry->IpMask.String, 16));
        const IP_ADDR_STRING* next = entry->Next;
        if (next == entry || (next && !ABuffer.Holds(next)))
            break;
        entry = next;
    }
}

template <typename TEnum>
TEnum OrdinalOr(std::uint32_t AValue, TEnum ALast, TEnum AFallback)
{
    return AValue <= static_cast<std::uint32_t>(ALast) ? static_cast<TEnum>(AValue) : AFallback;
}

} // namespace

TAdapterType AdapterTypeOf(std::uint32_t AIanaType)
{
    switch (AIanaType) {
    case 6:
        return TAdapterType::atEthernet;
    case 9:
        return TAdapterType::atTokenRing;
    case 15:
        return TAdapterType::atFDDI;
    case 23:
        return TAdapterType::atPPP;
    case 24:
        return TAdapterType::atLoopback;
    case 37:
        return TAdapterType::atATM;
    case 71:
        return TAdapterType::atIEEE80211;
    case 131:
        return TAdapterType::atTunnel;
    case 144:
        return TAdapterType::atIEEE1394;
    case 237:
        return TAdapterType::atIEEE80216_WMAN;
    case 243:
        return TAdapterType::atWWANPP;
    case 244:
        return TAdapterType::atWWANPP2;
    default:
        return TAdapterType::atOther;
    }
}

TNetworkConfiguration::TNetworkConfiguration()
{
    BindIpHelper();
    Clear();
}

TNetworkConfiguration::~TNetworkConfiguration()
{
    Clear();
}

void TNetworkConfiguration::ClearAdapters()
{
    FAdapters.clear();
    FByName.clear();
    FByIntfIdx.clear();
}

void TNetworkConfiguration::IndexAdapters()
{
    FByName.clear();
    FByIntfIdx.clear();
    FByName.reserve(FAdapters.size());
    FByIntfIdx.reserve(FAdapters.size());
    for (std::size_t i = 0; i < FAdapters.size(); ++i) {
        FByName.emplace(InterfaceNameKey(FAdapters[i].Name), static_cast<int>(i));
        FByIntfIdx.emplace(FAdapters[i].IntfIdx, static_cast<int>(i));
    }
}

int TNetworkConfiguration::AddAdapter(TAdapter AData)
{
    FAdapters.push_back(std::move(AData));
    return static_cast<int>(FAdapters.size()) - 1;
}

void TNetworkConfiguration::Clear()
{
    ClearAdapters();
    FAT.clear();
    FARP.clear();
    FProxy = FRouting = FDNS = false;
    FHost.clear();
    FDomain.clear();
    FDNSSuf.clear();
    FDHCPScope.clear();
    FDNSList.Clear();
    FIL.Clear();
    FNode = TNodeType::ntUnknown;
    FBII = 0;
}

void TNetworkConfiguration::RefreshData()
{
    Clear();
    // The interfaces may have changed: the next counter read takes a new pass.
    HostCounterPass().Invalidate();
    if (!BindIpHelper())
        return;
    // One reading of each kernel table answers every query below.
    const TInterfaceScan scan;
    ReadInterfaceNames();
    ReadAdapters();
    IndexAdapters();
    ReadAdapterAddresses();
    ReadNetworkParams();
    if (!ReadAddressTable())
        return;
    // An empty neighbour cache says nothing about routing: before any traffic, and on links that
    // need no address resolution (tun, PPP, WireGuard), it is empty while a default route exists.
    ReadARPTable();
    ReadBestInterface();
}

void TNetworkConfiguration::ReadInterfaceNames()
{
    const PFN_GetInterfaceInfo query = IpHelper().GetInterfaceInfo;
    if (!query)
        return;
    TQueryBuffer buffer;
    const DWORD result =
        GrowingQuery(buffer, 520, 520, ERROR_INSUFFICIENT_BUFFER, [&](TQueryBuffer& ABuffer, PULONG ASize) {
            return query(ABuffer.As<IP_INTERFACE_INFO>(), ASize);
        });
    if (result != NO_ERROR)
        return;
    const auto* info = buffer.As<IP_INTERFACE_INFO>();
    // Never read entries beyond the buffer, whatever count the service wrote.
    const std::size_t room =
        (buffer.Bytes() - std::min<std::size_t>(buffer.Bytes(), offsetof(IP_INTERFACE_INFO, Adapter))) /
        sizeof(IP_ADAPTER_INDEX_MAP);
    const std::size_t count =
        std::min<std::size_t>(static_cast<std::size_t>(std::max<LONG>(info->NumAdapters, 0)), room);
    for (std::size_t i = 0; i < count; ++i) {
        const IP_ADAPTER_INDEX_MAP& entry = info->Adapter[i];
        std::string name(TrimText(WideToUtf8(entry.Name, MAX_ADAPTER_NAME)));
        if (const std::size_t brace = name.find('}'); brace != std::string::npos)
            name.resize(brace + 1);
        FIL.Add(name + "=" + std::to_string(static_cast<std::int32_t>(entry.Index)));
    }
}

void TNetworkConfiguration::ReadAdapters()
{
    const TIpHelperTable& api = IpHelper();
    TQueryBuffer buffer;
    const DWORD result =
        GrowingQuery(buffer, 640, 640, ERROR_BUFFER_OVERFLOW, [&](TQueryBuffer& ABuffer, PULONG ASize) {
            return api.GetAdaptersInfo(ABuffer.As<IP_ADAPTER_INFO>(), ASize);
        });
    if (result != NO_ERROR)
        return;
    const std::unordered_map<std::string, int> nameLines = InterfaceNameLines(FIL);
    const IP_ADAPTER_INFO* info = buffer.First<IP_ADAPTER_INFO>();
    for (std::size_t n = 0; info && n < buffer.MaxChain<IP_ADAPTER_INFO>(); ++n, info = buffer.Next(info)) {
        TAdapter adapter;
        adapter.Name = TrimText(FieldText(info->AdapterName, MAX_ADAPTER_NAME_LENGTH + 4));
        adapter.Description = TrimText(FieldText(info->Description, MAX_ADAPTER_DESCRIPTION_LENGTH + 4));
        adapter._Typ = info->Type;
        adapter.Typ = AdapterTypeOf(info->Type);
        adapter.MACAddress = HexAddress(info->Address, std::min<UINT>(info->AddressLength, MAX_ADAPTER_ADDRESS_LENGTH));
        adapter.DHCPEnabled = info->DhcpEnabled != 0;
        adapter.HaveWINS = info->HaveWins != 0;
        AddAddrChain(info->IpAddressList, buffer, adapter.IPAddress);
        AddAddrChain(info->GatewayList, buffer, adapter.Gateways);
        AddAddrChain(info->DhcpServer, buffer, adapter.DHCPServers);
        AddAddrChain(info->PrimaryWinsServer, buffer, adapter.PrimaryWINS);
        AddAddrChain(info->SecondaryWinsServer, buffer, adapter.SecondaryWINS);

        if (api.GetIfEntry) {
            MIB_IFROW row{};
            row.dwIndex = info->Index;
            if (api.GetIfEntry(&row) == NO_ERROR) {
                adapter.Name = TrimText(WideToUtf8(row.wszName, MAX_INTERFACE_NAME_LEN));
                adapter.MaxSpeed = row.dwSpeed;
                adapter.MTU = row.dwMtu;
                adapter.AdminStatus =
                    OrdinalOr(row.dwAdminStatus, TAdapterAdminStatus::aasTesting, TAdapterAdminStatus::aasUnknown);
                adapter._Status = row.dwOperStatus;
                adapter.OperStatus =
                    OrdinalOr<TAdapterOperationalStatus>(row.dwOperStatus, TAdapterOperationalStatus::aosOperational,
                                                         TAdapterOperationalStatus::aosNonOperational);
            }
        }
        if (api.GetIfEntry2) {
            MIB_IF_ROW2 row{};
            row.InterfaceIndex = info->Index;
            if (api.GetIfEntry2(&row) == NO_ERROR) {
                adapter.Name = TrimText(WideToUtf8(row.Description, IF_MAX_STRING_SIZE + 1));
                adapter.Alias = TrimText(WideToUtf8(row.Alias, IF_MAX_STRING_SIZE + 1));
                adapter.MaxSpeed = row.TransmitLinkSpeed;
                adapter.MTU = row.Mtu;
            }
        }

        adapter.IntfIdx = info->Index;
        if (const auto line = nameLines.find(InterfaceNameKey(adapter.Name)); line != nameLines.end()) {
            // Written as a signed number; an unreadable value keeps the adapter's own index.
            const std::string value = FIL.ValueFromIndex(line->second);
            std::int64_t index = 0;
            const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), index);
            if (error == std::errc() && end == value.data() + value.size())
                adapter.IntfIdx = static_cast<std::uint32_t>(index);
        }

        if (adapter.Alias.empty() && api.ConvertInterfaceIndexToLuid && api.ConvertInterfaceLuidToAlias) {
            NET_LUID luid{};
            if (api.ConvertInterfaceIndexToLuid(adapter.IntfIdx, &luid) == NO_ERROR) {
                WCHAR alias[IF_MAX_STRING_SIZE + 1] = {};
                if (api.ConvertInterfaceLuidToAlias(&luid, alias, IF_MAX_STRING_SIZE + 1) == NO_ERROR)
                    adapter.Alias = WideToUtf8(alias, IF_MAX_STRING_SIZE + 1);
            }
        }
        AddAdapter(std::move(adapter));
    }
}

void TNetworkConfiguration::ReadAdapterAddresses()
{
    const PFN_GetAdaptersAddresses query = IpHelper().GetAdaptersAddresses;
    if (!query)
        return;
    TQueryBuffer buffer;
    const DWORD result =
        GrowingQuery(buffer, 376, 376, ERROR_BUFFER_OVERFLOW, [&](TQueryBuffer& ABuffer, PULONG ASize) {
            return query(IpHelperFamilyInet, GAA_FLAG_INCLUDE_PREFIX, nullptr, ABuffer.As<IP_ADAPTER_ADDRESSES>(),
                         ASize);
        });
    if (result != NO_ERROR)
        return;
    const IP_ADAPTER_ADDRESSES* entry = buffer.First<IP_ADAPTER_ADDRESSES>();
    for (std::size_t n = 0; entry && n < buffer.MaxChain<IP_ADAPTER_ADDRESSES>(); ++n, entry = buffer.Next(entry)) {
        const int position = FindAdapter(static_cast<std::uint32_t>(entry->IfIndex));
        if (position >= 0) {
            TAdapter& adapter = FAdapters[static_cast<std::size_t>(position)];
            adapter.DNSEnabled = (entry->Flags & IP_ADAPTER_DDNS_ENABLED) != 0;
            adapter.NETBIOSEnabled = (entry->Flags & IP_ADAPTER_NETBIOS_OVER_TCPIP_ENABLED) != 0;
            adapter.IPv4Enabled = (entry->Flags & IP_ADAPTER_IPV4_ENABLED) != 0;
            adapter.IPv6Enabled = (entry->Flags & IP_ADAPTER_IPV6_ENABLED) != 0;
            if (entry->DnsSuffix && buffer.Holds(entry->DnsSuffix)) {
                const auto* end = reinterpret_cast<const unsigned char*>(buffer.As<unsigned char>()) + buffer.Bytes();
                const std::size_t room =
                    static_cast<std::size_t>(end - reinterpret_cast<const unsigned char*>(entry->DnsSuffix)) /
                    sizeof(WCHAR);
                adapter.DNSSuffix = WideToUtf8(entry->DnsSuffix, room);
            }
            const IP_ADAPTER_DNS_SERVER_ADDRESS* server = entry->FirstDnsServerAddress;
            for (std::size_t k = 0;
                 server && buffer.Holds(server) && k < buffer.MaxChain<IP_ADAPTER_DNS_SERVER_ADDRESS>(); ++k) {
                const auto* address = reinterpret_cast<const SOCKADDR_IN*>(server->Address.lpSockaddr);
                if (address && buffer.Holds(address) && address->sin_family == IpHelperFamilyInet)
                    adapter.DNSServers.Add(DottedAddress(address->sin_addr.S_un.S_addr));
                if (server->Next == server)
                    break;
                server = server->Next;
            }
        }
    }
}

void TNetworkConfiguration::ReadNetworkParams()
{
    const PFN_GetNetworkParams query = IpHelper().GetNetworkParams;
    if (!query)
        return;
    TQueryBuffer buffer;
    const DWORD result = GrowingQuery(buffer, 584, 0, ERROR_BUFFER_OVERFLOW, [&](TQueryBuffer& ABuffer, PULONG ASize) {
        return query(ABuffer.As<FIXED_INFO>(), ASize);
    });
    if (result != NO_ERROR || !buffer.Holds(buffer.As<FIXED_INFO>()))
        return;
    const FIXED_INFO& info = *buffer.As<FIXED_INFO>();
    switch (info.NodeType) {
    case BROADCAST_NODETYPE:
        FNode = TNodeType::ntBroadcast;
        break;
    case PEER_TO_PEER_NODETYPE:
        FNode = TNodeType::ntPeerToPeer;
        break;
    case MIXED_NODETYPE:
        FNode = TNodeType::ntMixed;
        break;
    case HYBRID_NODETYPE:
        FNode = TNodeType::ntHybrid;
        break;
    default:
        FNode = TNodeType::ntUnknown;
        break;
    }
    FDHCPScope = FieldText(info.ScopeId, MAX_SCOPE_ID_LEN + 4);
    if (info.CurrentDnsServer && buffer.Holds(info.CurrentDnsServer))
        FDNSSuf = FieldText(info.CurrentDnsServer->IpAddress.String, 16);
    std::string previous = FieldText(info.DnsServerList.IpAddress.String, 16);
    FDNSList.Add(previous);
    const IP_ADDR_STRING* entry = info.DnsServerList.Next;
    // A repeated server ends the list.
    for (std::size_t n = 0; entry && buffer.Holds(entry) && n < buffer.MaxChain<IP_ADDR_STRING>(); ++n) {
        std::string text = FieldText(entry->IpAddress.String, 16);
        if (text == previous)
            break;
        FDNSList.Add(text);
        previous = std::move(text);
        entry = entry->Next;
    }
    FHost = FieldText(info.HostName, MAX_HOSTNAME_LEN + 4);
    FDomain = FieldText(info.DomainName, MAX_DOMAIN_NAME_LEN + 4);
    FProxy = info.EnableProxy != 0;
    FRouting = info.EnableRouting != 0;
    FDNS = info.EnableDns != 0;
}

bool TNetworkConfiguration::ReadAddressTable()
{
    return ReadRows<MIB_IPADDRTABLE, MIB_IPADDRROW>(IpHelper().GetIpAddrTable, [this](const MIB_IPADDRROW& row) {
        TAddressRecord record;
        record.IP = DottedAddress(row.dwAddr);
        record.Mask = DottedAddress(row.dwMask);
        record.IntfIdx = row.dwIndex;
        if (row.wType & MIB_IPADDR_PRIMARY)
            record.Typ.Include(TAddressTypes::atPrimary);
        if (row.wType & MIB_IPADDR_DYNAMIC)
            record.Typ.Include(TAddressTypes::atDynamic);
        if (row.wType & MIB_IPADDR_DISCONNECTED)
            record.Typ.Include(TAddressTypes::atDisconnected);
        if (row.wType & MIB_IPADDR_DELETED)
            record.Typ.Include(TAddressTypes::atDeleted);
        if (row.wType & MIB_IPADDR_TRANSIENT)
            record.Typ.Include(TAddressTypes::atTransient);
        FAT.push_back(record);
    });
}

void TNetworkConfiguration::ReadARPTable()
{
    ReadRows<MIB_IPNETTABLE, MIB_IPNETROW>(IpHelper().GetIpNetTable, [this](const MIB_IPNETROW& row) {
        TAddressRecord record;
        record.IP = DottedAddress(row.dwAddr);
        record.Mask = "255.255.255.0";
        record.IntfIdx = row.dwIndex;
        record.ARPType = row.dwType;
        record.Physical = HexAddress(row.bPhysAddr, std::min<DWORD>(row.dwPhysAddrLen, MAXLEN_PHYSADDR));
        FARP.push_back(record);
    });
}

bool TNetworkConfiguration::BestInterface(std::uint32_t& AIndex)
{
    const PFN_GetBestInterface query = IpHelper().GetBestInterface;
    DWORD index = 0;
    if (!query || query(InetAddr("8.8.8.8"), &index) != NO_ERROR)
        return false;
    AIndex = index;
    return true;
}

void TNetworkConfiguration::ReadBestInterface()
{
    std::uint32_t index = 0;
    if (BestInterface(index))
        FBII = index;
}

int TNetworkConfiguration::FindAdapter(const std::string& AName) const
{
    const auto it = FByName.find(InterfaceNameKey(AName));
    return it != FByName.end() ? it->second : -1;
}

int TNetworkConfiguration::FindAdapter(std::int32_t AIntfIdx) const
{
    if (AIntfIdx < 0)
        return -1;
    const auto it = FByIntfIdx.find(static_cast<std::uint32_t>(AIntfIdx));
    return it != FByIntfIdx.end() ? it->second : -1;
}

int TNetworkConfiguration::FindAdapter(std::uint32_t AIntfIdx) const
{
    return AIntfIdx > static_cast<std::uint32_t>(INT32_MAX) ? -1 : FindAdapter(static_cast<std::int32_t>(AIntfIdx));
}

int TNetworkConfiguration::FindAddress(const std::string& AIP) const
{
    for (std::size_t i = 0; i < FAT.size(); ++i)
        if (SameText(FAT[i].IP, AIP))
            return static_cast<int>(i);
    return -1;
}

int TNetworkConfiguration::FindAddress(std::uint32_t AIntfIdx) const
{
    for (std::size_t i = 0; i < FAT.size(); ++i)
        if (FAT[i].IntfIdx == AIntfIdx)
            return static_cast<int>(i);
    return -1;
}

void TNetworkConfiguration::GetTraffic(std::uint32_t AIntfIdx, std::uint64_t& AIn, std::uint64_t& AOut) const
{
    TTrafficCounters counters;
    TIpHelperCounterSource().ReadCounters(AIntfIdx, counters, 0);
    AIn = counters.InOctets;
    AOut = counters.OutOctets;
}

std::string TNetworkConfiguration::GetSubnetMask(const std::string& AIP)
{
    if (std::count(AIP.begin(), AIP.end(), '.') < 3) {
        char message[320];
        std::snprintf(message, sizeof(message), "'%s' is not a valid IPv4 address", AIP.c_str());
        throw TIPv4Error(message);
    }
    const std::string first = AIP.substr(0, AIP.find('.'));
    int value = 0;
    const auto [end, error] = std::from_chars(first.data(), first.data() + first.size(), value);
    if (error != std::errc() || end != first.data() + first.size())
        value = 0;
    if (value >= 1 && value <= 126)
        return "255.0.0.0";
    if (value >= 128 && value <= 191)
        return "255.255.0.0";
    if (value >= 192 && value <= 223)
        return "255.255.255.0";
    return "0.0.0.0";
}

std::optional<std::uint32_t> TNetworkConfiguration::CurrentInterface()
{
    std::uint32_t index = 0;
    if (!BestInterface(index))
        return std::nullopt;
    FBII = index;
    if (FAT.empty())
        RefreshData();
    return index;
}

std::string TNetworkConfiguration::CurrentIP()
{
    const auto index = CurrentInterface();
    const int position = index ? FindAddress(*index) : -1;
    return position < 0 ? std::string() : FAT[static_cast<std::size_t>(position)].IP;
}

std::string TNetworkConfiguration::CurrentMAC()
{
    const auto index = CurrentInterface();
    const int position = index ? FindAdapter(*index) : -1;
    return position < 0 ? std::string() : FAdapters[static_cast<std::size_t>(position)].MACAddress;
}

std::string TNetworkConfiguration::CurrentNetwork()
{
    const auto index = CurrentInterface();
    const int position = index ? FindAdapter(*index) : -1;
    return position < 0 ? std::string() : FAdapters[static_cast<std::size_t>(position)].Alias;
}

} // namespace qn
