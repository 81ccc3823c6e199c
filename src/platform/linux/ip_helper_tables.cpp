// The Linux provider's enumeration functions: adapter records, address lists, network parameters, the
// address table and the ARP cache, each laid out in the caller's buffer with the Windows size protocol.
#include "platform/linux/ip_helper_linux.h"
#include "platform/linux/kernel_tables.h"
#include "platform/linux/resolver_config.h"
#include "platform/wide_text.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <libmnl/libmnl.h>
#include <linux/if.h>
#include <linux/if_addr.h>
#include <linux/if_arp.h>
#include <linux/neighbour.h>
#include <linux/rtnetlink.h>
#include <string>
#include <string_view>
#include <sys/socket.h>
#include <sys/utsname.h>
#include <unistd.h>
#include <unordered_map>
#include <vector>

namespace qn::linux_ip {

namespace {

// --- Texts -------------------------------------------------------------------------------------------

std::uint32_t MaskOf(std::uint8_t APrefixLength)
{
    return APrefixLength == 0 ? 0 : htonl(0xFFFFFFFFu << (32 - APrefixLength));
}

void Dotted(std::uint32_t AAddress, char* AText, std::size_t ACapacity)
{
    const auto* b = reinterpret_cast<const unsigned char*>(&AAddress);
    std::snprintf(AText, ACapacity, "%u.%u.%u.%u", b[0], b[1], b[2], b[3]);
}

template <std::size_t N>
void CopyText(char (&AField)[N], std::string_view AText)
{
    const std::size_t n = std::min(AText.size(), N - 1);
    std::memcpy(AField, AText.data(), n);
    AField[n] = 0;
}

std::string ReadFirstLine(const char* APath)
{
    std::ifstream file(APath);
    std::string line;
    std::getline(file, line);
    return line;
}

bool IsDynamic(const nl::TAddrInfo& AAddr)
{
    return (AAddr.Flags & IFA_F_PERMANENT) == 0;
}

// --- Buffer layout -----------------------------------------------------------------------------------

// Hands out zeroed, 8-byte aligned pieces of the caller's buffer. Without a buffer it only measures:
// the pieces then come from a scratch area, so the same filling code both sizes and fills.
class TArena
{
public:
    explicit TArena(void* ABase) : FBase(static_cast<unsigned char*>(ABase)) {}

    template <typename T>
    T* Take(std::size_t ACount = 1)
    {
        return static_cast<T*>(TakeBytes(sizeof(T) * ACount));
    }

    WCHAR* TakeWide(std::string_view AText)
    {
        std::u16string wide(AText.size() + 1, u'\0');
        const std::size_t n = Utf8ToWide(AText, wide.data(), wide.size());
        auto* text = static_cast<WCHAR*>(TakeBytes((n + 1) * sizeof(WCHAR)));
        std::memcpy(text, wide.data(), (n + 1) * sizeof(WCHAR));
        return text;
    }

    char* TakeText(std::string_view AText)
    {
        auto* text = static_cast<char*>(TakeBytes(AText.size() + 1));
        std::memcpy(text, AText.data(), AText.size());
        return text;
    }

    std::size_t Used() const { return FUsed; }

private:
    void* TakeBytes(std::size_t ABytes)
    {
        FUsed = (FUsed + 7) & ~std::size_t{7};
        void* piece;
        if (FBase) {
            piece = FBase + FUsed;
        } else {
            FScratch.assign(ABytes / 8 + 1, 0);
            piece = FScratch.data();
        }
        std::memset(piece, 0, ABytes);
        FUsed += ABytes;
        return piece;
    }

    unsigned char* FBase;
    std::size_t FUsed = 0;
    std::vector<std::uint64_t> FScratch;
};

// Fills an IP_ADDR_STRING chain whose first entry is embedded in a record; further entries come from
// the arena. An empty list leaves the embedded entry with empty strings.
void FillAddrChain(IP_ADDR_STRING& AFirst, TArena& AArena,
                   const std::vector<std::pair<std::uint32_t, std::uint32_t>>& AEntries)
{
    IP_ADDR_STRING* entry = &AFirst;
    for (std::size_t i = 0; i < AEntries.size(); ++i) {
        if (i > 0) {
            IP_ADDR_STRING* next = AArena.Take<IP_ADDR_STRING>();
            entry->Next = next;
            entry = next;
        }
        Dotted(AEntries[i].first, entry->IpAddress.String, sizeof(entry->IpAddress.String));
        Dotted(AEntries[i].second, entry->IpMask.String, sizeof(entry->IpMask.String));
    }
}

// The Windows size protocol around a fill function: measure, report the size when the caller's buffer
// is missing or too small, otherwise fill.
template <typename TFill>
DWORD FillSized(void* ABuffer, PULONG ASize, DWORD ATooSmall, TFill AFill)
{
    TArena measure(nullptr);
    AFill(measure);
    const std::size_t needed = measure.Used();
    if (needed > 0xFFFFFFFFu)
        return ERROR_NOT_ENOUGH_MEMORY;
    if (!ABuffer || *ASize < needed) {
        *ASize = static_cast<ULONG>(needed);
        return ATooSmall;
    }
    TArena arena(ABuffer);
    AFill(arena);
    return NO_ERROR;
}

DWORD KernelFailure(int AResult)
{
    return AResult == -ENOMEM || AResult == -ENOBUFS ? ERROR_NOT_ENOUGH_MEMORY : ERROR_CAN_NOT_COMPLETE;
}

// The addresses of every link, in the kernel's order, by link index: one pass over the table.
std::unordered_map<std::uint32_t, std::vector<const nl::TAddrInfo*>> AddrsByLink(const TKernelTables& ASystem)
{
    std::unordered_map<std::uint32_t, std::vector<const nl::TAddrInfo*>> result;
    for (const nl::TAddrInfo& addr : ASystem.Addrs)
        result[addr.Index].push_back(&addr);
    return result;
}

const std::vector<const nl::TAddrInfo*>&
AddrsOf(const std::unordered_map<std::uint32_t, std::vector<const nl::TAddrInfo*>>& AByLink, std::uint32_t AIndex)
{
    static const std::vector<const nl::TAddrInfo*> none;
    const auto it = AByLink.find(AIndex);
    return it != AByLink.end() ? it->second : none;
}

std::vector<std::uint32_t> GatewaysOf(const TKernelTables& ASystem, std::uint32_t AIndex)
{
    std::vector<std::uint32_t> result;
    for (const nl::TRouteInfo& route : ASystem.DefaultRoutes)
        for (std::uint32_t h = 0; h < route.HopCount; ++h)
            if (route.Hops[h].Ifindex == AIndex && route.Hops[h].Gateway != 0 &&
                std::find(result.begin(), result.end(), route.Hops[h].Gateway) == result.end())
                result.push_back(route.Hops[h].Gateway);
    return result;
}

// A MIB table reply: the rows (by address in network order when asked) after the entry count, or the
// size needed when the caller's buffer is missing or too small.
template <typename TTable, typename TRow>
ULONG TableReply(std::vector<TRow>& ARows, BOOL AOrder, TTable* ATable, PULONG ASize)
{
    if (AOrder)
        std::stable_sort(ARows.begin(), ARows.end(),
                         [](const TRow& a, const TRow& b) { return ntohl(a.dwAddr) < ntohl(b.dwAddr); });
    const std::size_t needed = offsetof(TTable, table) + ARows.size() * sizeof(TRow);
    if (!ATable || *ASize < needed) {
        *ASize = static_cast<ULONG>(needed);
        return ERROR_INSUFFICIENT_BUFFER;
    }
    ATable->dwNumEntries = static_cast<DWORD>(ARows.size());
    std::memcpy(ATable->table, ARows.data(), ARows.size() * sizeof(TRow));
    return NO_ERROR;
}

// --- The steps of one GetAdaptersAddresses record ----------------------------------------------------

// What a record takes from the link's facts (read once per call).
struct TAddressesFacts
{
    std::string Description;
    std::uint64_t Speed;
    bool Ipv6;
};

void PutAddress(TArena& AArena, SOCKET_ADDRESS& AAddress, std::uint32_t AIp)
{
    auto* socketAddress = AArena.Take<SOCKADDR_IN>();
    socketAddress->sin_family = AF_INET;
    socketAddress->sin_addr.S_un.S_addr = AIp;
    AAddress.lpSockaddr = reinterpret_cast<LPSOCKADDR>(socketAddress);
    AAddress.iSockaddrLength = sizeof(SOCKADDR_IN);
}

// Each record of AItems chained from AFirst in order, through its Next; AFill fills one.
template <typename TRecord, typename TItem, typename TFill>
void Chain(TArena& AArena, TRecord*& AFirst, const std::vector<TItem>& AItems, TFill AFill)
{
    TRecord* last = nullptr;
    for (const TItem& item : AItems) {
        auto* record = AArena.Take<TRecord>();
        record->Length = sizeof(TRecord);
        AFill(*record, item);
        (last ? last->Next : AFirst) = record;
        last = record;
    }
}

void AddUnicastAddresses(TArena& AArena, IP_ADAPTER_ADDRESSES& AEntry, const std::vector<const nl::TAddrInfo*>& AAddrs)
{
    Chain(AArena, AEntry.FirstUnicastAddress, AAddrs,
          [&](IP_ADAPTER_UNICAST_ADDRESS& AUnicast, const nl::TAddrInfo* AAddr) {
              PutAddress(AArena, AUnicast.Address, AAddr->Address);
              const bool dynamic = IsDynamic(*AAddr);
              AUnicast.PrefixOrigin = dynamic ? IpPrefixOriginDhcp : IpPrefixOriginManual;
              AUnicast.SuffixOrigin = dynamic ? IpSuffixOriginDhcp : IpSuffixOriginManual;
              AUnicast.DadState = (AAddr->Flags & IFA_F_DEPRECATED) ? IpDadStateDeprecated : IpDadStatePreferred;
              AUnicast.ValidLifetime = AAddr->ValidLifetime;
              AUnicast.PreferredLifetime = AAddr->PreferredLifetime;
              AUnicast.LeaseLifetime = AAddr->ValidLifetime;
              AUnicast.OnLinkPrefixLength = AAddr->PrefixLength;
          });
}

// The link's name servers and its search domain.
void AddDnsServers(TArena& AArena, IP_ADAPTER_ADDRESSES& AEntry, const TLinkDns& ADns)
{
    Chain(AArena, AEntry.FirstDnsServerAddress, ADns.Servers,
          [&](IP_ADAPTER_DNS_SERVER_ADDRESS& ARecord, std::uint32_t AServer) {
              PutAddress(AArena, ARecord.Address, AServer);
          });
    AEntry.DnsSuffix = AArena.TakeWide(ADns.Suffix);
}

// The description, and the friendly name: the link's alias, else its name (none when skipped).
void AddNames(TArena& AArena, IP_ADAPTER_ADDRESSES& AEntry, const nl::TLinkInfo& ALink, const std::string& ADescription,
              bool ASkipFriendlyName)
{
    AEntry.Description = AArena.TakeWide(ADescription);
    const char* alias = LinkAlias(ALink);
    AEntry.FriendlyName = AArena.TakeWide(ASkipFriendlyName ? "" : alias[0] ? alias : ALink.Name);
}

// What the record says of the link itself: hardware address, flags, MTU, type, state, speed, LUID.
void SetLinkFields(IP_ADAPTER_ADDRESSES& AEntry, const nl::TLinkInfo& ALink,
                   const std::vector<const nl::TAddrInfo*>& AAddrs, const TAddressesFacts& AFacts)
{
    AEntry.PhysicalAddressLength = std::min<ULONG>(ALink.AddressLength, MAX_ADAPTER_ADDRESS_LENGTH);
    std::memcpy(AEntry.PhysicalAddress, ALink.Address, AEntry.PhysicalAddressLength);
    AEntry.Flags = IP_ADAPTER_IPV4_ENABLED;
    if (std::any_of(AAddrs.begin(), AAddrs.end(), [](const nl::TAddrInfo* a) { return IsDynamic(*a); }))
        AEntry.Flags |= IP_ADAPTER_DHCP_ENABLED;
    if (AFacts.Ipv6)
        AEntry.Flags |= IP_ADAPTER_IPV6_ENABLED;
    if (!(ALink.Flags & IFF_MULTICAST))
        AEntry.Flags |= IP_ADAPTER_NO_MULTICAST;
    AEntry.Mtu = ALink.Mtu;
    AEntry.IfType = LinkFacts(ALink).Type;
    AEntry.OperStatus = Row2OperStatus(ALink);
    AEntry.Ipv6IfIndex = AFacts.Ipv6 ? ALink.Index : 0;
    AEntry.TransmitLinkSpeed = AFacts.Speed;
    AEntry.ReceiveLinkSpeed = AFacts.Speed;
    AEntry.Luid.Info.NetLuidIndex = ALink.Index;
    AEntry.Luid.Info.IfType = AEntry.IfType;
    AEntry.ConnectionType = NET_IF_CONNECTION_DEDICATED;
    AEntry.TunnelType = AEntry.IfType == IF_TYPE_TUNNEL ? TUNNEL_TYPE_OTHER : TUNNEL_TYPE_NONE;
}

void AddPrefixes(TArena& AArena, IP_ADAPTER_ADDRESSES& AEntry, const std::vector<const nl::TAddrInfo*>& AAddrs)
{
    Chain(AArena, AEntry.FirstPrefix, AAddrs, [&](IP_ADAPTER_PREFIX& APrefix, const nl::TAddrInfo* AAddr) {
        PutAddress(AArena, APrefix.Address, AAddr->Address & MaskOf(AAddr->PrefixLength));
        APrefix.PrefixLength = AAddr->PrefixLength;
    });
}

void AddGateways(TArena& AArena, IP_ADAPTER_ADDRESSES& AEntry, const std::vector<std::uint32_t>& AGateways)
{
    Chain(AArena, AEntry.FirstGatewayAddress, AGateways,
          [&](IP_ADAPTER_GATEWAY_ADDRESS& ARecord, std::uint32_t AGateway) {
              PutAddress(AArena, ARecord.Address, AGateway);
          });
}

} // namespace

DWORD GetInterfaceInfo(PIP_INTERFACE_INFO pIfTable, PULONG dwOutBufLen)
{
    if (!dwOutBufLen)
        return ERROR_INVALID_PARAMETER;
    std::vector<nl::TLinkInfo> links;
    if (const int result = ReadLinks(links); result < 0)
        return KernelFailure(result);
    if (links.empty())
        return ERROR_NO_DATA;
    const std::size_t needed = offsetof(IP_INTERFACE_INFO, Adapter) + links.size() * sizeof(IP_ADAPTER_INDEX_MAP);
    if (!pIfTable || *dwOutBufLen < needed) {
        *dwOutBufLen = static_cast<ULONG>(needed);
        return ERROR_INSUFFICIENT_BUFFER;
    }
    std::memset(pIfTable, 0, needed);
    pIfTable->NumAdapters = static_cast<LONG>(links.size());
    for (std::size_t i = 0; i < links.size(); ++i) {
        pIfTable->Adapter[i].Index = links[i].Index;
        Utf8ToWide(links[i].Name, pIfTable->Adapter[i].Name, MAX_ADAPTER_NAME);
    }
    return NO_ERROR;
}

DWORD GetAdaptersInfo(PIP_ADAPTER_INFO AdapterInfo, PULONG SizePointer)
{
    if (!SizePointer)
        return ERROR_INVALID_PARAMETER;
    TKernelTables own;
    const TKernelTables* tables = nullptr;
    if (const int result = ReadSystem(own, true, tables); result < 0)
        return KernelFailure(result);
    const TKernelTables& system = *tables;
    if (system.Links.empty())
        return ERROR_NO_DATA;
    std::vector<const TLinkFacts*> facts;
    facts.reserve(system.Links.size());
    for (const nl::TLinkInfo& link : system.Links)
        facts.push_back(&LinkFacts(link));
    const auto addrsByLink = AddrsByLink(system);
    const std::int64_t now = time(nullptr);
    return FillSized(AdapterInfo, SizePointer, ERROR_BUFFER_OVERFLOW, [&](TArena& AArena) {
        // The records first, as one array, then the further address entries they chain to.
        auto* records = AArena.Take<IP_ADAPTER_INFO>(system.Links.size());
        for (std::size_t i = 0; i < system.Links.size(); ++i) {
            const nl::TLinkInfo& link = system.Links[i];
            IP_ADAPTER_INFO& info = records[i];
            info.Next = i + 1 < system.Links.size() ? &records[i + 1] : nullptr;
            info.ComboIndex = link.Index;
            CopyText(info.AdapterName, link.Name);
            CopyText(info.Description, facts[i]->Description);
            info.AddressLength = std::min<UINT>(link.AddressLength, MAX_ADAPTER_ADDRESS_LENGTH);
            std::memcpy(info.Address, link.Address, info.AddressLength);
            info.Index = link.Index;
            info.Type = facts[i]->Type;
            std::vector<std::pair<std::uint32_t, std::uint32_t>> addresses;
            std::uint32_t leaseValid = 0xFFFFFFFF;
            for (const nl::TAddrInfo* addr : AddrsOf(addrsByLink, link.Index)) {
                addresses.emplace_back(addr->Address, MaskOf(addr->PrefixLength));
                if (IsDynamic(*addr)) {
                    info.DhcpEnabled = 1;
                    leaseValid = std::min(leaseValid, addr->ValidLifetime);
                }
            }
            if (info.DhcpEnabled && leaseValid != 0xFFFFFFFF)
                info.LeaseExpires = now + leaseValid;
            FillAddrChain(info.IpAddressList, AArena, addresses);
            info.CurrentIpAddress = &info.IpAddressList;
            std::vector<std::pair<std::uint32_t, std::uint32_t>> gateways;
            for (std::uint32_t gateway : GatewaysOf(system, link.Index))
                gateways.emplace_back(gateway, 0);
            FillAddrChain(info.GatewayList, AArena, gateways);
        }
    });
}

ULONG GetAdaptersAddresses(ULONG Family, ULONG Flags, PVOID Reserved, PIP_ADAPTER_ADDRESSES AdapterAddresses,
                           PULONG SizePointer)
{
    if (!SizePointer || Reserved)
        return ERROR_INVALID_PARAMETER;
    if (Family != AF_INET && Family != AF_UNSPEC)
        return ERROR_NOT_SUPPORTED; // only IPv4 addresses are reported
    TKernelTables own;
    const TKernelTables* tables = nullptr;
    if (const int result = ReadSystem(own, (Flags & GAA_FLAG_INCLUDE_GATEWAYS) != 0, tables); result < 0)
        return KernelFailure(result);
    const TKernelTables& system = *tables;
    if (system.Links.empty())
        return ERROR_NO_DATA;
    std::vector<TAddressesFacts> facts;
    facts.reserve(system.Links.size());
    for (const nl::TLinkInfo& link : system.Links) {
        const TLinkFacts& linkFacts = LinkFacts(link);
        facts.push_back({linkFacts.Description, linkFacts.Speed, linkFacts.Ipv6Enabled});
    }
    const auto addrsByLink = AddrsByLink(system);
    const std::vector<TLinkDns> dns =
        (Flags & GAA_FLAG_SKIP_DNS_SERVER) ? std::vector<TLinkDns>(system.Links.size()) : LinkDnsServers(system.Links);

    return FillSized(AdapterAddresses, SizePointer, ERROR_BUFFER_OVERFLOW, [&](TArena& AArena) {
        IP_ADAPTER_ADDRESSES* previous = nullptr;
        for (std::size_t i = 0; i < system.Links.size(); ++i) {
            const nl::TLinkInfo& link = system.Links[i];
            auto* entry = AArena.Take<IP_ADAPTER_ADDRESSES>();
            if (previous)
                previous->Next = entry;
            previous = entry;
            entry->Length = sizeof(IP_ADAPTER_ADDRESSES);
            entry->IfIndex = link.Index;
            entry->AdapterName = AArena.TakeText(link.Name);
            const std::vector<const nl::TAddrInfo*>& addrs = AddrsOf(addrsByLink, link.Index);
            if (!(Flags & GAA_FLAG_SKIP_UNICAST))
                AddUnicastAddresses(AArena, *entry, addrs);
            AddDnsServers(AArena, *entry, dns[i]);
            AddNames(AArena, *entry, link, facts[i].Description, (Flags & GAA_FLAG_SKIP_FRIENDLY_NAME) != 0);
            SetLinkFields(*entry, link, addrs, facts[i]);
            if (Flags & GAA_FLAG_INCLUDE_PREFIX)
                AddPrefixes(AArena, *entry, addrs);
            if (Flags & GAA_FLAG_INCLUDE_GATEWAYS)
                AddGateways(AArena, *entry, GatewaysOf(system, link.Index));
        }
    });
}

DWORD GetNetworkParams(PFIXED_INFO pFixedInfo, PULONG pOutBufLen)
{
    if (!pOutBufLen)
        return ERROR_INVALID_PARAMETER;
    char host[256] = {};
    gethostname(host, sizeof(host) - 1);
    std::string hostName = host;
    std::string domain;
    // The short name is the host name; what follows the first dot is the domain.
    if (const std::size_t dot = hostName.find('.'); dot != std::string::npos) {
        domain = hostName.substr(dot + 1);
        hostName.resize(dot);
    }
    const TResolver resolver = ReadResolver();
    if (domain.empty())
        domain = resolver.Domain;
    const bool routing = ReadFirstLine("/proc/sys/net/ipv4/ip_forward") == "1";
    const bool proxy = ReadFirstLine("/proc/sys/net/ipv4/conf/all/proxy_arp") == "1";
    return FillSized(pFixedInfo, pOutBufLen, ERROR_BUFFER_OVERFLOW, [&](TArena& AArena) {
        auto* info = AArena.Take<FIXED_INFO>();
        CopyText(info->HostName, hostName);
        CopyText(info->DomainName, domain);
        std::vector<std::pair<std::uint32_t, std::uint32_t>> servers;
        for (std::uint32_t server : resolver.Servers)
            servers.emplace_back(server, 0);
        FillAddrChain(info->DnsServerList, AArena, servers);
        if (!servers.empty()) {
            info->CurrentDnsServer = &info->DnsServerList;
            // A server entry has no mask.
            for (IP_ADDR_STRING* entry = &info->DnsServerList; entry; entry = entry->Next)
                entry->IpMask.String[0] = 0;
        }
        info->NodeType = 0; // no NetBIOS name service in the kernel
        info->EnableRouting = routing;
        info->EnableProxy = proxy;
        info->EnableDns = !servers.empty();
    });
}

ULONG GetIpAddrTable(PMIB_IPADDRTABLE pIpAddrTable, PULONG pdwSize, BOOL bOrder)
{
    if (!pdwSize)
        return ERROR_INVALID_PARAMETER;
    TKernelTables own;
    const TKernelTables* tables = nullptr;
    if (const int result = ReadSystem(own, false, tables); result < 0)
        return KernelFailure(result);
    const TKernelTables& system = *tables;
    if (system.Addrs.empty())
        return ERROR_NO_DATA;
    std::vector<MIB_IPADDRROW> rows;
    for (const nl::TAddrInfo& addr : system.Addrs) {
        MIB_IPADDRROW row{};
        row.dwAddr = addr.Address;
        row.dwIndex = addr.Index;
        row.dwMask = MaskOf(addr.PrefixLength);
        row.dwBCastAddr = addr.Broadcast;
        row.dwReasmSize = 65535;
        if (!(addr.Flags & IFA_F_SECONDARY))
            row.wType |= MIB_IPADDR_PRIMARY;
        if (IsDynamic(addr))
            row.wType |= MIB_IPADDR_DYNAMIC;
        const nl::TLinkInfo* link = FindLink(system.Links, addr.Index);
        if (!link || !(link->Flags & IFF_RUNNING))
            row.wType |= MIB_IPADDR_DISCONNECTED;
        rows.push_back(row);
    }
    return TableReply(rows, bOrder, pIpAddrTable, pdwSize);
}

ULONG GetIpNetTable(PMIB_IPNETTABLE IpNetTable, PULONG SizePointer, BOOL Order)
{
    if (!SizePointer)
        return ERROR_INVALID_PARAMETER;
    std::vector<nl::TNeighInfo> neighbours;
    if (const int result = ReadNeighbours(neighbours); result < 0)
        return KernelFailure(result);
    std::vector<MIB_IPNETROW> rows;
    for (const nl::TNeighInfo& neighbour : neighbours) {
        // An entry without any state is a placeholder the kernel keeps while it sets one up.
        if (neighbour.State == NUD_NONE)
            continue;
        MIB_IPNETROW row{};
        row.dwIndex = neighbour.Index;
        row.dwAddr = neighbour.Address;
        row.dwPhysAddrLen = std::min<DWORD>(neighbour.LinkAddressLength, MAXLEN_PHYSADDR);
        std::memcpy(row.bPhysAddr, neighbour.LinkAddress, row.dwPhysAddrLen);
        // Permanent entries and those of links without address resolution (point-to-point, tunnels,
        // multicast) never expire: they are the static rows of the cache.
        if (neighbour.State & (NUD_PERMANENT | NUD_NOARP))
            row.dwType = MIB_IPNET_TYPE_STATIC;
        else if (neighbour.State & (NUD_REACHABLE | NUD_STALE | NUD_DELAY | NUD_PROBE))
            row.dwType = MIB_IPNET_TYPE_DYNAMIC;
        else if (neighbour.State & (NUD_FAILED | NUD_INCOMPLETE))
            row.dwType = MIB_IPNET_TYPE_INVALID;
        else
            row.dwType = MIB_IPNET_TYPE_OTHER;
        rows.push_back(row);
    }
    if (rows.empty())
        return ERROR_NO_DATA;
    return TableReply(rows, Order, IpNetTable, SizePointer);
}

} // namespace qn::linux_ip
