// The Linux provider's functions and the link helpers they share (internal to platform/linux).
#pragma once

#include "platform/ip_helper_types.h"
#include "platform/linux/netlink.h"

#include <cstdint>
#include <string>

namespace qn::linux_ip {

// The IANA interface type of a link (ARPHRD type, kind, wireless test through sysfs for ether links
// that have a device).
IFTYPE InterfaceType(const nl::TLinkInfo& ALink);
// The MIB_IFROW operational status (0..5) and the RFC 2863 status of MIB_IF_ROW2.
INTERNAL_IF_OPER_STATUS RowOperStatus(const nl::TLinkInfo& ALink);
IF_OPER_STATUS Row2OperStatus(const nl::TLinkInfo& ALink);
// What a row needs beyond the link message (ethtool, sysfs, /proc), asked once per link and kept
// while the link's index, name, carrier count and state flags stay the same.
struct TLinkFacts
{
    IFTYPE Type = IF_TYPE_OTHER;
    std::uint64_t Speed = 0; // bits per second
    std::string Description; // the driver, else the kind of virtual link, else the name
    bool Ipv6Enabled = false;
};
const TLinkFacts& LinkFacts(const nl::TLinkInfo& ALink);
// Link speed in bits per second, 0 when unknown or the link is down. Asked from ethtool once per
// link and kept while the link's name, carrier count and state flags stay the same.
std::uint64_t LinkSpeed(const nl::TLinkInfo& ALink);
// The ethtool speed requests the calling thread has made.
std::uint64_t LinkSpeedQueries();
// The alias rule: the link's alias, else its first alternative name, else empty.
const char* LinkAlias(const nl::TLinkInfo& ALink);

// One link by index: 0, or a negative errno (-ENODEV when it does not exist).
int QueryLink(std::uint32_t AIndex, nl::TLinkInfo& ALink);

DWORD GetIfEntry(PMIB_IFROW pIfRow);
NETIO_STATUS GetIfEntry2(PMIB_IF_ROW2 Row);
DWORD GetInterfaceInfo(PIP_INTERFACE_INFO pIfTable, PULONG dwOutBufLen);
DWORD GetAdaptersInfo(PIP_ADAPTER_INFO AdapterInfo, PULONG SizePointer);
ULONG GetAdaptersAddresses(ULONG Family, ULONG Flags, PVOID Reserved, PIP_ADAPTER_ADDRESSES AdapterAddresses,
                           PULONG SizePointer);
DWORD GetNetworkParams(PFIXED_INFO pFixedInfo, PULONG pOutBufLen);
ULONG GetIpAddrTable(PMIB_IPADDRTABLE pIpAddrTable, PULONG pdwSize, BOOL bOrder);
ULONG GetIpNetTable(PMIB_IPNETTABLE IpNetTable, PULONG SizePointer, BOOL Order);
DWORD GetBestInterface(IPAddr dwDestAddr, PDWORD pdwBestIfIndex);
NETIO_STATUS ConvertInterfaceIndexToLuid(NET_IFINDEX InterfaceIndex, PNET_LUID InterfaceLuid);
NETIO_STATUS ConvertInterfaceLuidToAlias(const NET_LUID* InterfaceLuid, PWSTR InterfaceAlias, SIZE_T Length);
DWORD NotifyAddrChange(PHANDLE Handle, LPOVERLAPPED overlapped);

} // namespace qn::linux_ip
