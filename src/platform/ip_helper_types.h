// The IP helper service's records, constants and function types, with the Windows SDK's names, field
// order and sizes (64-bit layout), so that code written against the service reads the same everywhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>

#if defined(_WIN32)
// On Windows the records, constants and scalar types are the SDK's own.
#include "platform/windows/sdk.h"
#else

// Scalar types of the SDK. WCHAR is UTF-16 as on Windows, so wide records keep their sizes.
using BYTE = std::uint8_t;
using UCHAR = std::uint8_t;
using UINT8 = std::uint8_t;
using CHAR = char;
using WCHAR = char16_t;
using USHORT = std::uint16_t;
using WORD = std::uint16_t;
using INT = std::int32_t;
using LONG = std::int32_t;
using UINT = std::uint32_t;
using ULONG = std::uint32_t;
using DWORD = std::uint32_t;
using BOOL = std::int32_t;
using BOOLEAN = std::uint8_t;
using ULONG64 = std::uint64_t;
using ULONGLONG = std::uint64_t;
using ULONG_PTR = std::uintptr_t;
using SIZE_T = std::size_t;
using PVOID = void*;
using HANDLE = void*;
using PHANDLE = HANDLE*;
using PULONG = ULONG*;
using PDWORD = DWORD*;
using PWSTR = WCHAR*;
using PWCHAR = WCHAR*;
using PCHAR = char*;
using IPAddr = ULONG; // IPv4 address in network byte order
using IFTYPE = ULONG;
using IF_INDEX = ULONG;
using NET_IFINDEX = ULONG;
using NETIO_STATUS = DWORD;

// Return codes.
inline constexpr DWORD NO_ERROR = 0;
inline constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
inline constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = 8;
inline constexpr DWORD ERROR_INVALID_DATA = 13;
inline constexpr DWORD ERROR_NOT_SUPPORTED = 50;
inline constexpr DWORD ERROR_INVALID_PARAMETER = 87;
inline constexpr DWORD ERROR_BUFFER_OVERFLOW = 111;
inline constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
inline constexpr DWORD ERROR_NO_DATA = 232;
inline constexpr DWORD ERROR_OPERATION_ABORTED = 995;
inline constexpr DWORD ERROR_IO_PENDING = 997;
inline constexpr DWORD ERROR_CAN_NOT_COMPLETE = 1003;
inline constexpr DWORD ERROR_NETWORK_UNREACHABLE = 1231;
inline constexpr DWORD ERROR_NOT_FOUND = 1168;
inline constexpr DWORD ERROR_GEN_FAILURE = 31;

// Wait results and timeouts.
inline constexpr DWORD WAIT_OBJECT_0 = 0;
inline constexpr DWORD WAIT_TIMEOUT = 258;
inline constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;
inline constexpr DWORD INFINITE = 0xFFFFFFFF;

inline constexpr BOOL FALSE = 0;
inline constexpr BOOL TRUE = 1;

// Sizes.
inline constexpr int MAX_ADAPTER_DESCRIPTION_LENGTH = 128;
inline constexpr int MAX_ADAPTER_NAME_LENGTH = 256;
inline constexpr int MAX_ADAPTER_ADDRESS_LENGTH = 8;
inline constexpr int MAX_ADAPTER_NAME = 128;
inline constexpr int MAX_HOSTNAME_LEN = 128;
inline constexpr int MAX_DOMAIN_NAME_LEN = 128;
inline constexpr int MAX_SCOPE_ID_LEN = 256;
inline constexpr int MAX_INTERFACE_NAME_LEN = 256;
inline constexpr int MAXLEN_PHYSADDR = 8;
inline constexpr int MAXLEN_IFDESCR = 256;
inline constexpr int IF_MAX_STRING_SIZE = 256;
inline constexpr int IF_MAX_PHYS_ADDRESS_LENGTH = 32;
inline constexpr int MAX_DHCPV6_DUID_LENGTH = 130;
inline constexpr int NDIS_IF_MAX_STRING_SIZE = IF_MAX_STRING_SIZE;
inline constexpr int ANY_SIZE = 1;

// Interface types (IANA numbers).
inline constexpr IFTYPE IF_TYPE_OTHER = 1;
inline constexpr IFTYPE IF_TYPE_ETHERNET_CSMACD = 6;
inline constexpr IFTYPE IF_TYPE_ISO88025_TOKENRING = 9;
inline constexpr IFTYPE IF_TYPE_FDDI = 15;
inline constexpr IFTYPE IF_TYPE_PPP = 23;
inline constexpr IFTYPE IF_TYPE_SOFTWARE_LOOPBACK = 24;
inline constexpr IFTYPE IF_TYPE_SLIP = 28;
inline constexpr IFTYPE IF_TYPE_ATM = 37;
inline constexpr IFTYPE IF_TYPE_IEEE80211 = 71;
inline constexpr IFTYPE IF_TYPE_TUNNEL = 131;
inline constexpr IFTYPE IF_TYPE_IEEE1394 = 144;
inline constexpr IFTYPE IF_TYPE_IEEE80216_WMAN = 237;
inline constexpr IFTYPE IF_TYPE_WWANPP = 243;
inline constexpr IFTYPE IF_TYPE_WWANPP2 = 244;

// MIB_IFROW administrative and operational status.
inline constexpr DWORD MIB_IF_ADMIN_STATUS_UP = 1;
inline constexpr DWORD MIB_IF_ADMIN_STATUS_DOWN = 2;
inline constexpr DWORD MIB_IF_ADMIN_STATUS_TESTING = 3;

enum INTERNAL_IF_OPER_STATUS : std::uint32_t
{
    IF_OPER_STATUS_NON_OPERATIONAL = 0,
    IF_OPER_STATUS_UNREACHABLE = 1,
    IF_OPER_STATUS_DISCONNECTED = 2,
    IF_OPER_STATUS_CONNECTING = 3,
    IF_OPER_STATUS_CONNECTED = 4,
    IF_OPER_STATUS_OPERATIONAL = 5,
};

// MIB_IF_ROW2 / IP_ADAPTER_ADDRESSES operational status (RFC 2863 numbering).
enum IF_OPER_STATUS : std::uint32_t
{
    IfOperStatusUp = 1,
    IfOperStatusDown = 2,
    IfOperStatusTesting = 3,
    IfOperStatusUnknown = 4,
    IfOperStatusDormant = 5,
    IfOperStatusNotPresent = 6,
    IfOperStatusLowerLayerDown = 7,
};

enum NET_IF_ADMIN_STATUS : std::uint32_t
{
    NET_IF_ADMIN_STATUS_UP = 1,
    NET_IF_ADMIN_STATUS_DOWN = 2,
    NET_IF_ADMIN_STATUS_TESTING = 3,
};

enum NET_IF_MEDIA_CONNECT_STATE : std::uint32_t
{
    MediaConnectStateUnknown = 0,
    MediaConnectStateConnected = 1,
    MediaConnectStateDisconnected = 2,
};

enum NET_IF_ACCESS_TYPE : std::uint32_t
{
    NET_IF_ACCESS_LOOPBACK = 1,
    NET_IF_ACCESS_BROADCAST = 2,
    NET_IF_ACCESS_POINT_TO_POINT = 3,
    NET_IF_ACCESS_POINT_TO_MULTI_POINT = 4,
    NET_IF_ACCESS_MAXIMUM = 5,
};

enum NET_IF_DIRECTION_TYPE : std::uint32_t
{
    NET_IF_DIRECTION_SENDRECEIVE = 0,
    NET_IF_DIRECTION_SENDONLY = 1,
    NET_IF_DIRECTION_RECEIVEONLY = 2,
    NET_IF_DIRECTION_MAXIMUM = 3,
};

enum NET_IF_CONNECTION_TYPE : std::uint32_t
{
    NET_IF_CONNECTION_DEDICATED = 1,
    NET_IF_CONNECTION_PASSIVE = 2,
    NET_IF_CONNECTION_DEMAND = 3,
    NET_IF_CONNECTION_MAXIMUM = 4,
};

enum TUNNEL_TYPE : std::uint32_t
{
    TUNNEL_TYPE_NONE = 0,
    TUNNEL_TYPE_OTHER = 1,
    TUNNEL_TYPE_DIRECT = 2,
    TUNNEL_TYPE_6TO4 = 11,
    TUNNEL_TYPE_ISATAP = 13,
    TUNNEL_TYPE_TEREDO = 14,
    TUNNEL_TYPE_IPHTTPS = 15,
};

using NDIS_MEDIUM = std::uint32_t;
using NDIS_PHYSICAL_MEDIUM = std::uint32_t;
using NET_IF_COMPARTMENT_ID = std::uint32_t;

struct GUID
{
    std::uint32_t Data1;
    std::uint16_t Data2;
    std::uint16_t Data3;
    std::uint8_t Data4[8];
};
using NET_IF_NETWORK_GUID = GUID;

union NET_LUID {
    ULONG64 Value;
    struct
    {
        ULONG64 Reserved : 24;
        ULONG64 NetLuidIndex : 24;
        ULONG64 IfType : 16;
    } Info;
};
using IF_LUID = NET_LUID;
using PNET_LUID = NET_LUID*;

// Winsock address records (Windows layout; the family numbers agree with the host's).
struct SOCKADDR
{
    USHORT sa_family;
    CHAR sa_data[14];
};
using LPSOCKADDR = SOCKADDR*;

struct IN_ADDR
{
    union {
        struct
        {
            UCHAR s_b1, s_b2, s_b3, s_b4;
        } S_un_b;
        ULONG S_addr; // network byte order
    } S_un;
};

struct SOCKADDR_IN
{
    std::int16_t sin_family;
    USHORT sin_port;
    IN_ADDR sin_addr;
    CHAR sin_zero[8];
};

struct SOCKET_ADDRESS
{
    LPSOCKADDR lpSockaddr;
    INT iSockaddrLength;
};

// --- Adapter information -------------------------------------------------------------------------

struct IP_ADDRESS_STRING
{
    char String[4 * 4];
};
using IP_MASK_STRING = IP_ADDRESS_STRING;

struct IP_ADDR_STRING
{
    IP_ADDR_STRING* Next;
    IP_ADDRESS_STRING IpAddress;
    IP_MASK_STRING IpMask;
    DWORD Context;
};
using PIP_ADDR_STRING = IP_ADDR_STRING*;

struct IP_ADAPTER_INFO
{
    IP_ADAPTER_INFO* Next;
    DWORD ComboIndex;
    char AdapterName[MAX_ADAPTER_NAME_LENGTH + 4];
    char Description[MAX_ADAPTER_DESCRIPTION_LENGTH + 4];
    UINT AddressLength;
    BYTE Address[MAX_ADAPTER_ADDRESS_LENGTH];
    DWORD Index;
    UINT Type;
    UINT DhcpEnabled;
    PIP_ADDR_STRING CurrentIpAddress;
    IP_ADDR_STRING IpAddressList;
    IP_ADDR_STRING GatewayList;
    IP_ADDR_STRING DhcpServer;
    BOOL HaveWins;
    IP_ADDR_STRING PrimaryWinsServer;
    IP_ADDR_STRING SecondaryWinsServer;
    std::int64_t LeaseObtained;
    std::int64_t LeaseExpires;
};
using PIP_ADAPTER_INFO = IP_ADAPTER_INFO*;

struct IP_ADAPTER_INDEX_MAP
{
    ULONG Index;
    WCHAR Name[MAX_ADAPTER_NAME];
};

struct IP_INTERFACE_INFO
{
    LONG NumAdapters;
    IP_ADAPTER_INDEX_MAP Adapter[ANY_SIZE];
};
using PIP_INTERFACE_INFO = IP_INTERFACE_INFO*;

// NetBIOS node types of FIXED_INFO.
inline constexpr UINT BROADCAST_NODETYPE = 1;
inline constexpr UINT PEER_TO_PEER_NODETYPE = 2;
inline constexpr UINT MIXED_NODETYPE = 4;
inline constexpr UINT HYBRID_NODETYPE = 8;

struct FIXED_INFO
{
    char HostName[MAX_HOSTNAME_LEN + 4];
    char DomainName[MAX_DOMAIN_NAME_LEN + 4];
    PIP_ADDR_STRING CurrentDnsServer;
    IP_ADDR_STRING DnsServerList;
    UINT NodeType;
    char ScopeId[MAX_SCOPE_ID_LEN + 4];
    UINT EnableRouting;
    UINT EnableProxy;
    UINT EnableDns;
};
using PFIXED_INFO = FIXED_INFO*;

// --- Interface rows ------------------------------------------------------------------------------

struct MIB_IFROW
{
    WCHAR wszName[MAX_INTERFACE_NAME_LEN];
    IF_INDEX dwIndex;
    IFTYPE dwType;
    DWORD dwMtu;
    DWORD dwSpeed;
    DWORD dwPhysAddrLen;
    UCHAR bPhysAddr[MAXLEN_PHYSADDR];
    DWORD dwAdminStatus;
    INTERNAL_IF_OPER_STATUS dwOperStatus;
    DWORD dwLastChange;
    DWORD dwInOctets; // low 32 bits of the received byte counter
    DWORD dwInUcastPkts;
    DWORD dwInNUcastPkts;
    DWORD dwInDiscards;
    DWORD dwInErrors;
    DWORD dwInUnknownProtos;
    DWORD dwOutOctets; // low 32 bits of the sent byte counter
    DWORD dwOutUcastPkts;
    DWORD dwOutNUcastPkts;
    DWORD dwOutDiscards;
    DWORD dwOutErrors;
    DWORD dwOutQLen;
    DWORD dwDescrLen;
    UCHAR bDescr[MAXLEN_IFDESCR];
};
using PMIB_IFROW = MIB_IFROW*;

struct MIB_IFTABLE
{
    DWORD dwNumEntries;
    MIB_IFROW table[ANY_SIZE];
};
using PMIB_IFTABLE = MIB_IFTABLE*;

struct MIB_IF_ROW2
{
    NET_LUID InterfaceLuid;
    NET_IFINDEX InterfaceIndex;
    GUID InterfaceGuid;
    WCHAR Alias[IF_MAX_STRING_SIZE + 1];
    WCHAR Description[IF_MAX_STRING_SIZE + 1];
    ULONG PhysicalAddressLength;
    UCHAR PhysicalAddress[IF_MAX_PHYS_ADDRESS_LENGTH];
    UCHAR PermanentPhysicalAddress[IF_MAX_PHYS_ADDRESS_LENGTH];
    ULONG Mtu;
    IFTYPE Type;
    TUNNEL_TYPE TunnelType;
    NDIS_MEDIUM MediaType;
    NDIS_PHYSICAL_MEDIUM PhysicalMediumType;
    NET_IF_ACCESS_TYPE AccessType;
    NET_IF_DIRECTION_TYPE DirectionType;
    struct
    {
        BOOLEAN HardwareInterface : 1;
        BOOLEAN FilterInterface : 1;
        BOOLEAN ConnectorPresent : 1;
        BOOLEAN NotAuthenticated : 1;
        BOOLEAN NotMediaConnected : 1;
        BOOLEAN Paused : 1;
        BOOLEAN LowPower : 1;
        BOOLEAN EndPointInterface : 1;
    } InterfaceAndOperStatusFlags;
    IF_OPER_STATUS OperStatus;
    NET_IF_ADMIN_STATUS AdminStatus;
    NET_IF_MEDIA_CONNECT_STATE MediaConnectState;
    NET_IF_NETWORK_GUID NetworkGuid;
    NET_IF_CONNECTION_TYPE ConnectionType;
    ULONG64 TransmitLinkSpeed;
    ULONG64 ReceiveLinkSpeed;
    ULONG64 InOctets; // full 64-bit received byte counter
    ULONG64 InUcastPkts;
    ULONG64 InNUcastPkts;
    ULONG64 InDiscards;
    ULONG64 InErrors;
    ULONG64 InUnknownProtos;
    ULONG64 InUcastOctets;
    ULONG64 InMulticastOctets;
    ULONG64 InBroadcastOctets;
    ULONG64 OutOctets; // full 64-bit sent byte counter
    ULONG64 OutUcastPkts;
    ULONG64 OutNUcastPkts;
    ULONG64 OutDiscards;
    ULONG64 OutErrors;
    ULONG64 OutUcastOctets;
    ULONG64 OutMulticastOctets;
    ULONG64 OutBroadcastOctets;
    ULONG64 OutQLen;
};
using PMIB_IF_ROW2 = MIB_IF_ROW2*;

struct MIB_IF_TABLE2
{
    ULONG NumEntries;
    MIB_IF_ROW2 Table[ANY_SIZE];
};
using PMIB_IF_TABLE2 = MIB_IF_TABLE2*;

// --- Adapter addresses ---------------------------------------------------------------------------

// Address families of GetAdaptersAddresses and SOCKADDR: the numbers every socket API agrees on,
// declared here so that the seam needs no socket header.
inline constexpr ULONG IpHelperFamilyUnspec = 0;
inline constexpr ULONG IpHelperFamilyInet = 2;

// GetAdaptersAddresses flags.
inline constexpr ULONG GAA_FLAG_SKIP_UNICAST = 0x0001;
inline constexpr ULONG GAA_FLAG_SKIP_ANYCAST = 0x0002;
inline constexpr ULONG GAA_FLAG_SKIP_MULTICAST = 0x0004;
inline constexpr ULONG GAA_FLAG_SKIP_DNS_SERVER = 0x0008;
inline constexpr ULONG GAA_FLAG_INCLUDE_PREFIX = 0x0010;
inline constexpr ULONG GAA_FLAG_SKIP_FRIENDLY_NAME = 0x0020;
inline constexpr ULONG GAA_FLAG_INCLUDE_GATEWAYS = 0x0080;

// IP_ADAPTER_ADDRESSES::Flags.
inline constexpr ULONG IP_ADAPTER_DDNS_ENABLED = 0x0001;
inline constexpr ULONG IP_ADAPTER_REGISTER_ADAPTER_SUFFIX = 0x0002;
inline constexpr ULONG IP_ADAPTER_DHCP_ENABLED = 0x0004;
inline constexpr ULONG IP_ADAPTER_RECEIVE_ONLY = 0x0008;
inline constexpr ULONG IP_ADAPTER_NO_MULTICAST = 0x0010;
inline constexpr ULONG IP_ADAPTER_IPV6_OTHER_STATEFUL_CONFIG = 0x0020;
inline constexpr ULONG IP_ADAPTER_NETBIOS_OVER_TCPIP_ENABLED = 0x0040;
inline constexpr ULONG IP_ADAPTER_IPV4_ENABLED = 0x0080;
inline constexpr ULONG IP_ADAPTER_IPV6_ENABLED = 0x0100;

enum IP_PREFIX_ORIGIN : std::uint32_t
{
    IpPrefixOriginOther = 0,
    IpPrefixOriginManual = 1,
    IpPrefixOriginWellKnown = 2,
    IpPrefixOriginDhcp = 3,
    IpPrefixOriginRouterAdvertisement = 4,
};

enum IP_SUFFIX_ORIGIN : std::uint32_t
{
    IpSuffixOriginOther = 0,
    IpSuffixOriginManual = 1,
    IpSuffixOriginWellKnown = 2,
    IpSuffixOriginDhcp = 3,
    IpSuffixOriginLinkLayerAddress = 4,
    IpSuffixOriginRandom = 5,
};

enum IP_DAD_STATE : std::uint32_t
{
    IpDadStateInvalid = 0,
    IpDadStateTentative = 1,
    IpDadStateDuplicate = 2,
    IpDadStateDeprecated = 3,
    IpDadStatePreferred = 4,
};

struct IP_ADAPTER_UNICAST_ADDRESS
{
    union {
        ULONGLONG Alignment;
        struct
        {
            ULONG Length;
            DWORD Flags;
        };
    };
    IP_ADAPTER_UNICAST_ADDRESS* Next;
    SOCKET_ADDRESS Address;
    IP_PREFIX_ORIGIN PrefixOrigin;
    IP_SUFFIX_ORIGIN SuffixOrigin;
    IP_DAD_STATE DadState;
    ULONG ValidLifetime;
    ULONG PreferredLifetime;
    ULONG LeaseLifetime;
    UINT8 OnLinkPrefixLength;
};

struct IP_ADAPTER_ANYCAST_ADDRESS
{
    union {
        ULONGLONG Alignment;
        struct
        {
            ULONG Length;
            DWORD Flags;
        };
    };
    IP_ADAPTER_ANYCAST_ADDRESS* Next;
    SOCKET_ADDRESS Address;
};
using IP_ADAPTER_MULTICAST_ADDRESS = IP_ADAPTER_ANYCAST_ADDRESS;

struct IP_ADAPTER_DNS_SERVER_ADDRESS
{
    union {
        ULONGLONG Alignment;
        struct
        {
            ULONG Length;
            DWORD Reserved;
        };
    };
    IP_ADAPTER_DNS_SERVER_ADDRESS* Next;
    SOCKET_ADDRESS Address;
};
using IP_ADAPTER_WINS_SERVER_ADDRESS = IP_ADAPTER_DNS_SERVER_ADDRESS;
using IP_ADAPTER_GATEWAY_ADDRESS = IP_ADAPTER_DNS_SERVER_ADDRESS;

struct IP_ADAPTER_PREFIX
{
    union {
        ULONGLONG Alignment;
        struct
        {
            ULONG Length;
            DWORD Flags;
        };
    };
    IP_ADAPTER_PREFIX* Next;
    SOCKET_ADDRESS Address;
    ULONG PrefixLength;
};

inline constexpr int MAX_DNS_SUFFIX_STRING_LENGTH = 256;

struct IP_ADAPTER_DNS_SUFFIX
{
    IP_ADAPTER_DNS_SUFFIX* Next;
    WCHAR String[MAX_DNS_SUFFIX_STRING_LENGTH];
};

struct IP_ADAPTER_ADDRESSES
{
    union {
        ULONGLONG Alignment;
        struct
        {
            ULONG Length;
            IF_INDEX IfIndex;
        };
    };
    IP_ADAPTER_ADDRESSES* Next;
    PCHAR AdapterName;
    IP_ADAPTER_UNICAST_ADDRESS* FirstUnicastAddress;
    IP_ADAPTER_ANYCAST_ADDRESS* FirstAnycastAddress;
    IP_ADAPTER_MULTICAST_ADDRESS* FirstMulticastAddress;
    IP_ADAPTER_DNS_SERVER_ADDRESS* FirstDnsServerAddress;
    PWCHAR DnsSuffix;
    PWCHAR Description;
    PWCHAR FriendlyName;
    BYTE PhysicalAddress[MAX_ADAPTER_ADDRESS_LENGTH];
    ULONG PhysicalAddressLength;
    ULONG Flags;
    ULONG Mtu;
    IFTYPE IfType;
    IF_OPER_STATUS OperStatus;
    IF_INDEX Ipv6IfIndex;
    ULONG ZoneIndices[16];
    IP_ADAPTER_PREFIX* FirstPrefix;
    ULONG64 TransmitLinkSpeed;
    ULONG64 ReceiveLinkSpeed;
    IP_ADAPTER_WINS_SERVER_ADDRESS* FirstWinsServerAddress;
    IP_ADAPTER_GATEWAY_ADDRESS* FirstGatewayAddress;
    ULONG Ipv4Metric;
    ULONG Ipv6Metric;
    IF_LUID Luid;
    SOCKET_ADDRESS Dhcpv4Server;
    NET_IF_COMPARTMENT_ID CompartmentId;
    NET_IF_NETWORK_GUID NetworkGuid;
    NET_IF_CONNECTION_TYPE ConnectionType;
    TUNNEL_TYPE TunnelType;
    SOCKET_ADDRESS Dhcpv6Server;
    BYTE Dhcpv6ClientDuid[MAX_DHCPV6_DUID_LENGTH];
    ULONG Dhcpv6ClientDuidLength;
    ULONG Dhcpv6Iaid;
    IP_ADAPTER_DNS_SUFFIX* FirstDnsSuffix;
};
using PIP_ADAPTER_ADDRESSES = IP_ADAPTER_ADDRESSES*;

// --- Address table and ARP cache -----------------------------------------------------------------

// MIB_IPADDRROW::wType bits.
inline constexpr USHORT MIB_IPADDR_PRIMARY = 0x0001;
inline constexpr USHORT MIB_IPADDR_DYNAMIC = 0x0004;
inline constexpr USHORT MIB_IPADDR_DISCONNECTED = 0x0008;
inline constexpr USHORT MIB_IPADDR_DELETED = 0x0040;
inline constexpr USHORT MIB_IPADDR_TRANSIENT = 0x0080;

struct MIB_IPADDRROW
{
    DWORD dwAddr; // network byte order
    IF_INDEX dwIndex;
    DWORD dwMask; // network byte order
    DWORD dwBCastAddr;
    DWORD dwReasmSize;
    USHORT unused1;
    USHORT wType;
};

struct MIB_IPADDRTABLE
{
    DWORD dwNumEntries;
    MIB_IPADDRROW table[ANY_SIZE];
};
using PMIB_IPADDRTABLE = MIB_IPADDRTABLE*;

// MIB_IPNETROW::dwType values.
inline constexpr DWORD MIB_IPNET_TYPE_OTHER = 1;
inline constexpr DWORD MIB_IPNET_TYPE_INVALID = 2;
inline constexpr DWORD MIB_IPNET_TYPE_DYNAMIC = 3;
inline constexpr DWORD MIB_IPNET_TYPE_STATIC = 4;

struct MIB_IPNETROW
{
    IF_INDEX dwIndex;
    DWORD dwPhysAddrLen;
    UCHAR bPhysAddr[MAXLEN_PHYSADDR];
    DWORD dwAddr; // network byte order
    DWORD dwType;
};

struct MIB_IPNETTABLE
{
    DWORD dwNumEntries;
    MIB_IPNETROW table[ANY_SIZE];
};
using PMIB_IPNETTABLE = MIB_IPNETTABLE*;

// --- Asynchronous requests -----------------------------------------------------------------------

struct OVERLAPPED
{
    ULONG_PTR Internal;
    ULONG_PTR InternalHigh;
    union {
        struct
        {
            DWORD Offset;
            DWORD OffsetHigh;
        };
        PVOID Pointer;
    };
    HANDLE hEvent;
};
using LPOVERLAPPED = OVERLAPPED*;

// Records of the bound-but-unused functions; only their addresses are passed around.
struct MIB_IPINTERFACE_ROW;
enum TCP_TABLE_CLASS : std::uint32_t
{
};
enum UDP_TABLE_CLASS : std::uint32_t
{
};

#endif

// --- Function types, one per bound name ----------------------------------------------------------

using PFN_GetAdaptersInfo = DWORD (*)(PIP_ADAPTER_INFO AdapterInfo, PULONG SizePointer);
using PFN_GetNetworkParams = DWORD (*)(PFIXED_INFO pFixedInfo, PULONG pOutBufLen);
using PFN_GetInterfaceInfo = DWORD (*)(PIP_INTERFACE_INFO pIfTable, PULONG dwOutBufLen);
using PFN_GetIfTable = DWORD (*)(PMIB_IFTABLE pIfTable, PULONG pdwSize, BOOL bOrder);
using PFN_GetIfEntry = DWORD (*)(PMIB_IFROW pIfRow);
using PFN_GetIfTable2 = NETIO_STATUS (*)(PMIB_IF_TABLE2* Table);
using PFN_GetIfEntry2 = NETIO_STATUS (*)(PMIB_IF_ROW2 Row);
using PFN_GetNumberOfInterfaces = DWORD (*)(PDWORD pdwNumIf);
using PFN_GetAdapterIndex = DWORD (*)(PWSTR AdapterName, PULONG IfIndex);
using PFN_GetIpNetTable = ULONG (*)(PMIB_IPNETTABLE IpNetTable, PULONG SizePointer, BOOL Order);
using PFN_GetIpAddrTable = ULONG (*)(PMIB_IPADDRTABLE pIpAddrTable, PULONG pdwSize, BOOL bOrder);
using PFN_SendARP = DWORD (*)(IPAddr DestIP, IPAddr SrcIP, PVOID pMacAddr, PULONG PhyAddrLen);
using PFN_GetBestInterface = DWORD (*)(IPAddr dwDestAddr, PDWORD pdwBestIfIndex);
using PFN_GetAdaptersAddresses = ULONG (*)(ULONG Family, ULONG Flags, PVOID Reserved,
                                           PIP_ADAPTER_ADDRESSES AdapterAddresses, PULONG SizePointer);
using PFN_ConvertInterfaceIndexToLuid = NETIO_STATUS (*)(NET_IFINDEX InterfaceIndex, PNET_LUID InterfaceLuid);
using PFN_ConvertInterfaceLuidToAlias = NETIO_STATUS (*)(const NET_LUID* InterfaceLuid, PWSTR InterfaceAlias,
                                                         SIZE_T Length);
using PFN_GetIpInterfaceEntry = NETIO_STATUS (*)(MIB_IPINTERFACE_ROW* Row);
using PFN_AllocateAndGetTcpExTableFromStack = DWORD (*)(PVOID* ppTcpTable, BOOL bOrder, HANDLE hHeap, DWORD dwFlags,
                                                        DWORD dwFamily);
using PFN_AllocateAndGetUdpExTableFromStack = DWORD (*)(PVOID* ppUdpTable, BOOL bOrder, HANDLE hHeap, DWORD dwFlags,
                                                        DWORD dwFamily);
using PFN_NotifyAddrChange = DWORD (*)(PHANDLE Handle, LPOVERLAPPED overlapped);
using PFN_GetExtendedTcpTable = DWORD (*)(PVOID pTcpTable, PDWORD pdwSize, BOOL bOrder, ULONG ulAf,
                                          TCP_TABLE_CLASS TableClass, ULONG Reserved);
using PFN_GetExtendedUdpTable = DWORD (*)(PVOID pUdpTable, PDWORD pdwSize, BOOL bOrder, ULONG ulAf,
                                          UDP_TABLE_CLASS TableClass, ULONG Reserved);

// The 64-bit Windows sizes; a mismatch here would make callers' buffer arithmetic disagree with the service.
static_assert(sizeof(IP_ADDR_STRING) == 48);
static_assert(sizeof(IP_ADAPTER_INFO) == 704);
static_assert(sizeof(MIB_IFROW) == 860);
static_assert(sizeof(MIB_IF_ROW2) == 1352);
static_assert(sizeof(FIXED_INFO) == 600);
static_assert(sizeof(IP_ADAPTER_INDEX_MAP) == 260);
static_assert(sizeof(MIB_IPADDRROW) == 24);
static_assert(sizeof(MIB_IPNETROW) == 24);
static_assert(sizeof(NET_LUID) == 8);
static_assert(sizeof(OVERLAPPED) == 32);
static_assert(sizeof(IP_ADAPTER_ADDRESSES) == 448);
// The fields the program reads sit where the service writes them. On Windows these checks run
// against the SDK's records, elsewhere against the declarations above: both agree with the same numbers.
static_assert(offsetof(IP_ADAPTER_INFO, Index) == 416);
static_assert(offsetof(IP_ADAPTER_INFO, Address) == 408);
static_assert(offsetof(IP_ADAPTER_INFO, IpAddressList) == 440);
static_assert(offsetof(IP_ADAPTER_INFO, GatewayList) == 488);
static_assert(offsetof(IP_ADAPTER_INFO, DhcpServer) == 536);
static_assert(offsetof(IP_ADAPTER_INFO, PrimaryWinsServer) == 592);
static_assert(offsetof(FIXED_INFO, DnsServerList) == 272);
static_assert(offsetof(FIXED_INFO, NodeType) == 320);
static_assert(offsetof(FIXED_INFO, EnableDns) == 592);
static_assert(offsetof(MIB_IFROW, dwIndex) == 512);
static_assert(offsetof(MIB_IFROW, bPhysAddr) == 532);
static_assert(offsetof(MIB_IFROW, dwOperStatus) == 544);
static_assert(offsetof(MIB_IFROW, dwInOctets) == 552);
static_assert(offsetof(MIB_IFROW, dwOutOctets) == 576);
static_assert(offsetof(MIB_IFROW, bDescr) == 604);
static_assert(offsetof(MIB_IF_ROW2, InterfaceIndex) == 8);
static_assert(offsetof(MIB_IF_ROW2, Alias) == 28);
static_assert(offsetof(MIB_IF_ROW2, Description) == 542);
static_assert(offsetof(MIB_IF_ROW2, PhysicalAddress) == 1060);
static_assert(offsetof(MIB_IF_ROW2, Mtu) == 1124);
static_assert(offsetof(MIB_IF_ROW2, Type) == 1128);
static_assert(offsetof(MIB_IF_ROW2, OperStatus) == 1156);
static_assert(offsetof(MIB_IF_ROW2, TransmitLinkSpeed) == 1192);
static_assert(offsetof(MIB_IF_ROW2, InOctets) == 1208);
static_assert(offsetof(MIB_IF_ROW2, OutOctets) == 1280);
static_assert(offsetof(IP_ADAPTER_ADDRESSES, IfIndex) == 4);
static_assert(offsetof(IP_ADAPTER_ADDRESSES, AdapterName) == 16);
static_assert(offsetof(IP_ADAPTER_ADDRESSES, FirstUnicastAddress) == 24);
static_assert(offsetof(IP_ADAPTER_ADDRESSES, FirstDnsServerAddress) == 48);
static_assert(offsetof(IP_ADAPTER_ADDRESSES, DnsSuffix) == 56);
static_assert(offsetof(IP_ADAPTER_ADDRESSES, PhysicalAddress) == 80);
static_assert(offsetof(IP_ADAPTER_ADDRESSES, Flags) == 92);
static_assert(offsetof(IP_ADAPTER_ADDRESSES, Mtu) == 96);
static_assert(offsetof(IP_ADAPTER_ADDRESSES, OperStatus) == 104);
static_assert(offsetof(IP_ADAPTER_ADDRESSES, FirstPrefix) == 176);
static_assert(offsetof(IP_ADAPTER_ADDRESSES, Luid) == 224);
static_assert(offsetof(IP_ADAPTER_UNICAST_ADDRESS, Address) == 16);
static_assert(offsetof(IP_ADAPTER_UNICAST_ADDRESS, OnLinkPrefixLength) == 56);
static_assert(offsetof(IP_ADAPTER_PREFIX, PrefixLength) == 32);
static_assert(offsetof(SOCKADDR_IN, sin_addr) == 4);
static_assert(offsetof(MIB_IPADDRROW, dwMask) == 8);
static_assert(offsetof(MIB_IPADDRROW, wType) == 22);
static_assert(offsetof(MIB_IPNETROW, dwAddr) == 16);
static_assert(offsetof(OVERLAPPED, hEvent) == 24);
