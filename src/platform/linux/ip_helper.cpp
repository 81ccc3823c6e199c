// The Linux IP helper provider: the name lookup, and the interface rows read straight from rtnetlink.
#include "platform/ip_helper.h"

#include "platform/linux/ip_helper_linux.h"
#include "platform/linux/kernel_tables.h"
#include "platform/linux/unique_fd.h"
#include "platform/wide_text.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <libmnl/libmnl.h>
#include <linux/ethtool.h>
#include <linux/if.h>
#include <linux/if_arp.h>
#include <linux/rtnetlink.h>
#include <linux/sockios.h>
#include <string_view>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>
#include <unordered_map>

namespace qn {

namespace linux_ip {

namespace {

// The calling thread's datagram socket for ethtool queries, opened on first use.
int ThreadIoctlSocket()
{
    thread_local TUniqueFd socket;
    if (!socket.Valid())
        socket.Reset(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0));
    return socket.Get();
}

bool IsWireless(const nl::TLinkInfo& ALink)
{
    char path[64];
    std::snprintf(path, sizeof(path), "/sys/class/net/%s/phy80211", ALink.Name);
    struct stat info;
    return stat(path, &info) == 0;
}

using TRowCommon = TLinkFacts;

const TRowCommon& RowCommon(const nl::TLinkInfo& ALink);

} // namespace

IFTYPE InterfaceType(const nl::TLinkInfo& ALink)
{
    switch (ALink.ArpType) {
    case ARPHRD_ETHER:
    case ARPHRD_EETHER:
        // Only a link with a device behind it can be a radio; virtual ones skip the sysfs look-up.
        return ALink.HasParentDevice && IsWireless(ALink) ? IF_TYPE_IEEE80211 : IF_TYPE_ETHERNET_CSMACD;
    case ARPHRD_LOOPBACK:
        return IF_TYPE_SOFTWARE_LOOPBACK;
    case ARPHRD_PPP:
        return IF_TYPE_PPP;
    case ARPHRD_SLIP:
    case ARPHRD_CSLIP:
        return IF_TYPE_SLIP;
    case ARPHRD_ATM:
        return IF_TYPE_ATM;
    case ARPHRD_FDDI:
        return IF_TYPE_FDDI;
    case ARPHRD_IEEE802_TR:
        return IF_TYPE_ISO88025_TOKENRING;
    case ARPHRD_IEEE1394:
        return IF_TYPE_IEEE1394;
    case ARPHRD_IEEE80211:
    case ARPHRD_IEEE80211_PRISM:
    case ARPHRD_IEEE80211_RADIOTAP:
        return IF_TYPE_IEEE80211;
    case ARPHRD_RAWIP:
        return IF_TYPE_WWANPP;
    case ARPHRD_TUNNEL:
    case ARPHRD_TUNNEL6:
    case ARPHRD_SIT:
    case ARPHRD_IPGRE:
    case ARPHRD_IP6GRE:
    case ARPHRD_NONE: // tun, wireguard: layer-3 tunnels without a hardware header
        return IF_TYPE_TUNNEL;
    default:
        return IF_TYPE_OTHER;
    }
}

INTERNAL_IF_OPER_STATUS RowOperStatus(const nl::TLinkInfo& ALink)
{
    if (!(ALink.Flags & IFF_UP))
        return IF_OPER_STATUS_NON_OPERATIONAL;
    switch (ALink.OperState) {
    case IF_OPER_UP:
        return IF_OPER_STATUS_OPERATIONAL;
    case IF_OPER_UNKNOWN: // drivers that do not track the state (lo, tun): the carrier flag tells
        return (ALink.Flags & IFF_RUNNING) ? IF_OPER_STATUS_OPERATIONAL : IF_OPER_STATUS_DISCONNECTED;
    case IF_OPER_DORMANT:
        return IF_OPER_STATUS_CONNECTING;
    case IF_OPER_TESTING:
        return IF_OPER_STATUS_UNREACHABLE;
    case IF_OPER_DOWN:
    case IF_OPER_LOWERLAYERDOWN:
        return IF_OPER_STATUS_DISCONNECTED;
    default:
        return IF_OPER_STATUS_NON_OPERATIONAL;
    }
}

IF_OPER_STATUS Row2OperStatus(const nl::TLinkInfo& ALink)
{
    switch (ALink.OperState) {
    case IF_OPER_UP:
        return IfOperStatusUp;
    case IF_OPER_UNKNOWN:
        if ((ALink.Flags & IFF_UP) && (ALink.Flags & IFF_RUNNING))
            return IfOperStatusUp;
        return (ALink.Flags & IFF_UP) ? IfOperStatusUnknown : IfOperStatusDown;
    case IF_OPER_NOTPRESENT:
        return IfOperStatusNotPresent;
    case IF_OPER_DOWN:
        return IfOperStatusDown;
    case IF_OPER_LOWERLAYERDOWN:
        return IfOperStatusLowerLayerDown;
    case IF_OPER_TESTING:
        return IfOperStatusTesting;
    case IF_OPER_DORMANT:
        return IfOperStatusDormant;
    default:
        return IfOperStatusUnknown;
    }
}

namespace {

thread_local std::uint64_t GSpeedQueries = 0;

std::uint64_t AskLinkSpeed(const nl::TLinkInfo& ALink)
{
    const int fd = ThreadIoctlSocket();
    if (fd < 0)
        return 0;
    ethtool_cmd command{};
    command.cmd = ETHTOOL_GSET;
    ifreq request{};
    std::memcpy(request.ifr_name, ALink.Name, sizeof(request.ifr_name) - 1);
    request.ifr_data = reinterpret_cast<char*>(&command);
    ++GSpeedQueries;
    if (ioctl(fd, SIOCETHTOOL, &request) != 0)
        return 0;
    const std::uint32_t mbits = ethtool_cmd_speed(&command);
    // SPEED_UNKNOWN is -1 in both halves; 0 also means nothing is known.
    if (mbits == 0 || mbits == static_cast<std::uint32_t>(SPEED_UNKNOWN) || mbits == 0xFFFF)
        return 0;
    return static_cast<std::uint64_t>(mbits) * 1000000u;
}

std::uint64_t SpeedOf(const nl::TLinkInfo& ALink)
{
    // As sysfs "speed": only a running link has one. The loopback has none to ask for.
    if (!(ALink.Flags & IFF_UP) || ALink.ArpType == ARPHRD_LOOPBACK)
        return 0;
    return AskLinkSpeed(ALink);
}

// What a row needs from ethtool and sysfs, asked once per link and kept while the link's name,
// carrier count and state flags stay the same: the ethtool query takes the kernel's global network
// lock, and a link renegotiates its speed only across a carrier change. Keyed by the link's index,
// so any number of links keeps the once-a-second counter reads off ethtool and sysfs.
struct TLinkFactsEntry
{
    std::uint32_t CarrierChanges = 0;
    std::uint32_t Flags = 0;
    char Name[IFNAMSIZ] = {};
    TLinkFacts Common{};
};

std::string ReadFirstLine(const char* APath)
{
    std::string line;
    if (FILE* file = std::fopen(APath, "re")) {
        char buffer[256];
        if (std::fgets(buffer, sizeof(buffer), file))
            line = buffer;
        std::fclose(file);
    }
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    return line;
}

// What users know the adapter as: its driver, else the kind of virtual link, else its name.
std::string AskDescription(const nl::TLinkInfo& ALink)
{
    // Only a link with a device behind it has a driver; virtual ones skip the sysfs look-up.
    if (ALink.HasParentDevice) {
        char path[96];
        std::snprintf(path, sizeof(path), "/sys/class/net/%s/device/driver", ALink.Name);
        char target[256];
        const ssize_t n = readlink(path, target, sizeof(target) - 1);
        if (n > 0) {
            target[n] = 0;
            const char* slash = std::strrchr(target, '/');
            return slash ? slash + 1 : target;
        }
    }
    if (ALink.Kind[0])
        return ALink.Kind;
    if (ALink.ArpType == ARPHRD_LOOPBACK)
        return "loopback";
    return ALink.Name;
}

bool AskIpv6Enabled(const nl::TLinkInfo& ALink)
{
    char path[96];
    std::snprintf(path, sizeof(path), "/proc/sys/net/ipv6/conf/%s/disable_ipv6", ALink.Name);
    return ReadFirstLine(path) == "0";
}

const TLinkFacts& CachedLinkFacts(const nl::TLinkInfo& ALink)
{
    // Links come and go (a host running containers makes new indices all day): the table is
    // emptied when it reaches this size, so it stays bounded.
    constexpr std::size_t MaxLinks = 4096;
    thread_local std::unordered_map<std::uint32_t, TLinkFactsEntry> facts;
    const std::uint32_t flags = ALink.Flags & (IFF_UP | IFF_RUNNING | IFF_LOWER_UP);
    auto it = facts.find(ALink.Index);
    if (it != facts.end() && it->second.CarrierChanges == ALink.CarrierChanges && it->second.Flags == flags &&
        std::strncmp(it->second.Name, ALink.Name, IFNAMSIZ) == 0)
        return it->second.Common;
    if (it == facts.end()) {
        if (facts.size() >= MaxLinks)
            facts.clear();
        it = facts.emplace(ALink.Index, TLinkFactsEntry{}).first;
    }
    TLinkFactsEntry& entry = it->second;
    entry.CarrierChanges = ALink.CarrierChanges;
    entry.Flags = flags;
    std::memcpy(entry.Name, ALink.Name, IFNAMSIZ - 1);
    entry.Common = {InterfaceType(ALink), SpeedOf(ALink), AskDescription(ALink), AskIpv6Enabled(ALink)};
    return entry.Common;
}

const TRowCommon& RowCommon(const nl::TLinkInfo& ALink)
{
    return CachedLinkFacts(ALink);
}

} // namespace

const TLinkFacts& LinkFacts(const nl::TLinkInfo& ALink)
{
    return CachedLinkFacts(ALink);
}

std::uint64_t LinkSpeed(const nl::TLinkInfo& ALink)
{
    return CachedLinkFacts(ALink).Speed;
}

std::uint64_t LinkSpeedQueries()
{
    return GSpeedQueries;
}

const char* LinkAlias(const nl::TLinkInfo& ALink)
{
    if (ALink.Alias[0])
        return ALink.Alias;
    return ALink.AltName;
}

int QueryLink(std::uint32_t AIndex, nl::TLinkInfo& ALink)
{
    if (AIndex == 0 || AIndex > 0x7FFFFFFF)
        return -ENODEV;
    // Inside a scan, the refresh's link dump answers: one request for all links.
    if (CurrentScan()) {
        const TKernelTables* system = nullptr;
        TKernelTables own;
        if (const int result = ReadSystem(own, false, system); result < 0)
            return result;
        const nl::TLinkInfo* link = FindLink(system->Links, AIndex);
        if (!link)
            return -ENODEV;
        ALink = *link;
        return 0;
    }
    nl::TNetlinkSocket* socket = nl::ThreadSocket();
    if (!socket)
        return -ENOTSOCK;
    alignas(nlmsghdr) unsigned char request[NLMSG_SPACE(sizeof(ifinfomsg)) + 64] = {};
    nlmsghdr* msg = mnl_nlmsg_put_header(request);
    msg->nlmsg_type = RTM_GETLINK;
    msg->nlmsg_flags = NLM_F_REQUEST;
    auto* info = static_cast<ifinfomsg*>(mnl_nlmsg_put_extra_header(msg, sizeof(ifinfomsg)));
    info->ifi_family = AF_UNSPEC;
    info->ifi_index = static_cast<int>(AIndex);
    // No virtual-function or other extended blocks: the reply stays at one small message.
    mnl_attr_put_u32(msg, IFLA_EXT_MASK, 0);
    bool found = false;
    auto visit = [&](const nlmsghdr* AMsg) {
        found = nl::ParseLink(AMsg, ALink) && ALink.Index == AIndex;
        return !found;
    };
    const int result = socket->Exchange(msg, visit);
    if (result < 0)
        return result;
    return found ? 0 : -ENODEV;
}

DWORD GetIfEntry(PMIB_IFROW pIfRow)
{
    if (!pIfRow)
        return ERROR_INVALID_PARAMETER;
    nl::TLinkInfo link;
    const int result = QueryLink(pIfRow->dwIndex, link);
    if (result == -ENODEV)
        return ERROR_INVALID_DATA;
    if (result < 0)
        return ERROR_CAN_NOT_COMPLETE;
    const TRowCommon& common = RowCommon(link);
    MIB_IFROW& row = *pIfRow;
    row = MIB_IFROW{};
    Utf8ToWide(link.Name, row.wszName, MAX_INTERFACE_NAME_LEN);
    row.dwIndex = link.Index;
    row.dwType = common.Type;
    row.dwMtu = link.Mtu;
    row.dwSpeed = static_cast<DWORD>(std::min<std::uint64_t>(common.Speed, 0xFFFFFFFFu));
    row.dwPhysAddrLen = std::min<DWORD>(link.AddressLength, MAXLEN_PHYSADDR);
    std::memcpy(row.bPhysAddr, link.Address, row.dwPhysAddrLen);
    row.dwAdminStatus = (link.Flags & IFF_UP) ? MIB_IF_ADMIN_STATUS_UP : MIB_IF_ADMIN_STATUS_DOWN;
    row.dwOperStatus = RowOperStatus(link);
    // The 32-bit fields carry the low half of the kernel's 64-bit counters: they wrap at 2^32.
    row.dwInOctets = static_cast<DWORD>(link.RxBytes);
    row.dwOutOctets = static_cast<DWORD>(link.TxBytes);
    row.dwInNUcastPkts = static_cast<DWORD>(link.Multicast);
    row.dwInUcastPkts = static_cast<DWORD>(link.RxPackets - std::min(link.RxPackets, link.Multicast));
    row.dwInDiscards = static_cast<DWORD>(link.RxDropped);
    row.dwInErrors = static_cast<DWORD>(link.RxErrors);
    row.dwOutUcastPkts = static_cast<DWORD>(link.TxPackets);
    row.dwOutDiscards = static_cast<DWORD>(link.TxDropped);
    row.dwOutErrors = static_cast<DWORD>(link.TxErrors);
    const char* description = link.Kind[0] ? link.Kind : link.Name;
    row.dwDescrLen = static_cast<DWORD>(std::min<std::size_t>(std::strlen(description), MAXLEN_IFDESCR - 1));
    std::memcpy(row.bDescr, description, row.dwDescrLen);
    return NO_ERROR;
}

NETIO_STATUS GetIfEntry2(PMIB_IF_ROW2 Row)
{
    if (!Row)
        return ERROR_INVALID_PARAMETER;
    const std::uint64_t index =
        Row->InterfaceLuid.Value != 0 ? Row->InterfaceLuid.Info.NetLuidIndex : Row->InterfaceIndex;
    nl::TLinkInfo link;
    const int result = QueryLink(static_cast<std::uint32_t>(index), link);
    if (result == -ENODEV)
        return ERROR_FILE_NOT_FOUND;
    if (result < 0)
        return ERROR_CAN_NOT_COMPLETE;
    const TRowCommon& common = RowCommon(link);
    MIB_IF_ROW2& row = *Row;
    row = MIB_IF_ROW2{};
    row.InterfaceLuid.Info.NetLuidIndex = link.Index;
    row.InterfaceLuid.Info.IfType = common.Type;
    row.InterfaceIndex = link.Index;
    Utf8ToWide(LinkAlias(link), row.Alias, IF_MAX_STRING_SIZE + 1);
    // Users know a link by its kernel name, so that is its description.
    Utf8ToWide(link.Name, row.Description, IF_MAX_STRING_SIZE + 1);
    row.PhysicalAddressLength = link.AddressLength;
    std::memcpy(row.PhysicalAddress, link.Address, link.AddressLength);
    if (link.PermAddressLength)
        std::memcpy(row.PermanentPhysicalAddress, link.PermAddress, link.PermAddressLength);
    else
        std::memcpy(row.PermanentPhysicalAddress, link.Address, link.AddressLength);
    row.Mtu = link.Mtu;
    row.Type = common.Type;
    row.TunnelType = common.Type == IF_TYPE_TUNNEL ? TUNNEL_TYPE_OTHER : TUNNEL_TYPE_NONE;
    row.AccessType = link.ArpType == ARPHRD_LOOPBACK       ? NET_IF_ACCESS_LOOPBACK
                     : (link.Flags & IFF_POINTOPOINT) != 0 ? NET_IF_ACCESS_POINT_TO_POINT
                                                           : NET_IF_ACCESS_BROADCAST;
    row.DirectionType = NET_IF_DIRECTION_SENDRECEIVE;
    row.InterfaceAndOperStatusFlags.HardwareInterface = link.HasParentDevice;
    row.InterfaceAndOperStatusFlags.ConnectorPresent = link.HasParentDevice;
    row.InterfaceAndOperStatusFlags.NotMediaConnected = (link.Flags & IFF_LOWER_UP) == 0;
    row.OperStatus = Row2OperStatus(link);
    row.AdminStatus = (link.Flags & IFF_UP) ? NET_IF_ADMIN_STATUS_UP : NET_IF_ADMIN_STATUS_DOWN;
    row.MediaConnectState = (link.Flags & IFF_LOWER_UP) ? MediaConnectStateConnected : MediaConnectStateDisconnected;
    row.ConnectionType = NET_IF_CONNECTION_DEDICATED;
    row.TransmitLinkSpeed = common.Speed;
    row.ReceiveLinkSpeed = common.Speed;
    row.InOctets = link.RxBytes;
    row.InNUcastPkts = link.Multicast;
    row.InUcastPkts = link.RxPackets - std::min(link.RxPackets, link.Multicast);
    row.InDiscards = link.RxDropped;
    row.InErrors = link.RxErrors;
    row.OutOctets = link.TxBytes;
    row.OutUcastPkts = link.TxPackets;
    row.OutDiscards = link.TxDropped;
    row.OutErrors = link.TxErrors;
    return NO_ERROR;
}

NETIO_STATUS ConvertInterfaceIndexToLuid(NET_IFINDEX InterfaceIndex, PNET_LUID InterfaceLuid)
{
    if (!InterfaceLuid)
        return ERROR_INVALID_PARAMETER;
    InterfaceLuid->Value = 0;
    nl::TLinkInfo link;
    const int result = QueryLink(InterfaceIndex, link);
    if (result == -ENODEV)
        return ERROR_FILE_NOT_FOUND;
    if (result < 0)
        return ERROR_CAN_NOT_COMPLETE;
    // The LUID index field holds 24 bits; larger kernel indexes cannot be represented.
    if (link.Index > 0xFFFFFF)
        return ERROR_INVALID_PARAMETER;
    InterfaceLuid->Info.NetLuidIndex = link.Index;
    InterfaceLuid->Info.IfType = RowCommon(link).Type;
    return NO_ERROR;
}

NETIO_STATUS ConvertInterfaceLuidToAlias(const NET_LUID* InterfaceLuid, PWSTR InterfaceAlias, SIZE_T Length)
{
    if (!InterfaceLuid || !InterfaceAlias || Length == 0)
        return ERROR_INVALID_PARAMETER;
    nl::TLinkInfo link;
    const int result = QueryLink(static_cast<std::uint32_t>(InterfaceLuid->Info.NetLuidIndex), link);
    if (result == -ENODEV)
        return ERROR_FILE_NOT_FOUND;
    if (result < 0)
        return ERROR_CAN_NOT_COMPLETE;
    WCHAR alias[IF_MAX_STRING_SIZE + 1];
    const std::size_t n = Utf8ToWide(LinkAlias(link), alias, IF_MAX_STRING_SIZE + 1);
    if (n + 1 > Length)
        return ERROR_NOT_ENOUGH_MEMORY;
    std::memcpy(InterfaceAlias, alias, (n + 1) * sizeof(WCHAR));
    return NO_ERROR;
}

DWORD GetBestInterface(IPAddr dwDestAddr, PDWORD pdwBestIfIndex)
{
    if (!pdwBestIfIndex)
        return ERROR_INVALID_PARAMETER;
    // A scan asks each destination once.
    TScanTables* scan = CurrentScan();
    if (scan) {
        if (const auto it = scan->BestInterfaces.find(dwDestAddr); it != scan->BestInterfaces.end()) {
            if (it->second.first == NO_ERROR)
                *pdwBestIfIndex = it->second.second;
            return static_cast<DWORD>(it->second.first);
        }
    }
    const auto remember = [&](DWORD AResult, std::uint32_t AIndex) {
        if (scan)
            scan->BestInterfaces[dwDestAddr] = {static_cast<int>(AResult), AIndex};
        return AResult;
    };
    nl::TNetlinkSocket* socket = nl::ThreadSocket();
    if (!socket)
        return remember(ERROR_CAN_NOT_COMPLETE, 0);
    alignas(nlmsghdr) unsigned char request[NLMSG_SPACE(sizeof(rtmsg)) + 64] = {};
    nlmsghdr* msg = mnl_nlmsg_put_header(request);
    msg->nlmsg_type = RTM_GETROUTE;
    msg->nlmsg_flags = NLM_F_REQUEST;
    auto* route = static_cast<rtmsg*>(mnl_nlmsg_put_extra_header(msg, sizeof(rtmsg)));
    route->rtm_family = AF_INET;
    route->rtm_dst_len = 32;
    mnl_attr_put(msg, RTA_DST, sizeof(dwDestAddr), &dwDestAddr);
    std::uint32_t oif = 0;
    auto visit = [&](const nlmsghdr* AMsg) {
        nl::TRouteInfo info;
        if (nl::ParseRoute(AMsg, info) && info.HopCount > 0)
            oif = info.Hops[0].Ifindex;
        return true;
    };
    const int result = socket->Exchange(msg, visit);
    if (result == -ENETUNREACH || result == -EHOSTUNREACH || (result == 0 && oif == 0))
        return remember(ERROR_NETWORK_UNREACHABLE, 0);
    if (result < 0)
        return remember(ERROR_CAN_NOT_COMPLETE, 0);
    *pdwBestIfIndex = oif;
    return remember(NO_ERROR, oif);
}

} // namespace linux_ip

HANDLE LoadIpHelper()
{
    // The provider is part of the program: a fixed, non-null module handle.
    static int module = 0;
    return &module;
}

TIpHelperProc GetIpHelperProc(HANDLE AModule, const char* AName)
{
    if (AModule != LoadIpHelper() || !AName)
        return nullptr;
    struct TEntry
    {
        std::string_view Name;
        TIpHelperProc Proc;
    };
    static const TEntry entries[] = {
        {"GetAdaptersInfo", reinterpret_cast<TIpHelperProc>(&linux_ip::GetAdaptersInfo)},
        {"GetNetworkParams", reinterpret_cast<TIpHelperProc>(&linux_ip::GetNetworkParams)},
        {"GetInterfaceInfo", reinterpret_cast<TIpHelperProc>(&linux_ip::GetInterfaceInfo)},
        {"GetIpNetTable", reinterpret_cast<TIpHelperProc>(&linux_ip::GetIpNetTable)},
        {"GetIpAddrTable", reinterpret_cast<TIpHelperProc>(&linux_ip::GetIpAddrTable)},
        {"GetAdaptersAddresses", reinterpret_cast<TIpHelperProc>(&linux_ip::GetAdaptersAddresses)},
        {"GetIfEntry", reinterpret_cast<TIpHelperProc>(&linux_ip::GetIfEntry)},
        {"GetIfEntry2", reinterpret_cast<TIpHelperProc>(&linux_ip::GetIfEntry2)},
        {"GetBestInterface", reinterpret_cast<TIpHelperProc>(&linux_ip::GetBestInterface)},
        {"ConvertInterfaceIndexToLuid", reinterpret_cast<TIpHelperProc>(&linux_ip::ConvertInterfaceIndexToLuid)},
        {"ConvertInterfaceLuidToAlias", reinterpret_cast<TIpHelperProc>(&linux_ip::ConvertInterfaceLuidToAlias)},
        {"NotifyAddrChange", reinterpret_cast<TIpHelperProc>(&linux_ip::NotifyAddrChange)},
    };
    for (const TEntry& entry : entries)
        if (entry.Name == AName)
            return entry.Proc;
    return nullptr;
}

} // namespace qn
