// rtnetlink framing for the IP helper provider: a request/reply socket whose receive buffer grows to
// the largest datagram, and parsers that turn one kernel message into a plain record.
//
// The parsers accept any bytes: every length is checked against the message, and a message too short
// for its header is refused (false). They never allocate.
#pragma once

#include "platform/linux/unique_fd.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

struct nlmsghdr;

namespace qn::nl {

struct TLinkInfo
{
    std::uint32_t Index = 0;
    std::uint16_t ArpType = 0; // ARPHRD_*
    std::uint32_t Flags = 0;   // IFF_*
    char Name[16] = {};        // IFNAMSIZ
    std::uint8_t Address[32] = {};
    std::uint32_t AddressLength = 0;
    std::uint8_t PermAddress[32] = {};
    std::uint32_t PermAddressLength = 0;
    std::uint32_t Mtu = 0;
    std::uint8_t OperState = 0;       // IF_OPER_* (RFC 2863 as the kernel numbers it)
    char Alias[257] = {};             // IFALIASZ 256 + NUL
    char AltName[128] = {};           // the first alternative name (ALTIFNAMSIZ)
    char Kind[32] = {};               // IFLA_INFO_KIND: veth, bridge, macvlan ...
    std::uint32_t CarrierChanges = 0; // how often the carrier came or went
    bool HasParentDevice = false;
    bool HasStats = false;
    std::uint64_t RxBytes = 0, TxBytes = 0, RxPackets = 0, TxPackets = 0;
    std::uint64_t RxErrors = 0, TxErrors = 0, RxDropped = 0, TxDropped = 0, Multicast = 0;
};

struct TAddrInfo
{
    std::uint32_t Index = 0;
    std::uint8_t PrefixLength = 0;
    std::uint32_t Flags = 0;   // IFA_F_*
    std::uint32_t Address = 0; // network byte order (IFA_LOCAL, else IFA_ADDRESS)
    std::uint32_t Broadcast = 0;
    std::uint32_t ValidLifetime = 0xFFFFFFFF;
    std::uint32_t PreferredLifetime = 0xFFFFFFFF;
    char Label[16] = {};
};

struct TRouteInfo
{
    struct THop
    {
        std::uint32_t Ifindex = 0;
        std::uint32_t Gateway = 0; // network byte order, 0 = none
    };
    std::uint8_t Family = 0;
    std::uint8_t DstLength = 0;
    std::uint8_t Type = 0;
    std::uint32_t Table = 0;
    std::uint32_t Dst = 0;
    std::uint32_t Priority = 0;
    std::uint32_t PrefSource = 0;
    THop Hops[8];
    std::uint32_t HopCount = 0; // the single path counts as one hop
};

struct TNeighInfo
{
    std::uint32_t Index = 0;
    std::uint16_t State = 0;   // NUD_*
    std::uint32_t Address = 0; // network byte order
    std::uint8_t LinkAddress[32] = {};
    std::uint32_t LinkAddressLength = 0;
};

// One link's octet counters from a statistics message (RTM_NEWSTATS with the 64-bit link record).
struct TStatsInfo
{
    std::uint32_t Index = 0;
    std::uint64_t RxBytes = 0, TxBytes = 0;
};

// One socket of a sock_diag reply (SOCK_DIAG_BY_FAMILY with an inet_diag_msg), a dump's or a close
// event's. The byte counts come from the TCP info record, the cgroup id from its own attribute.
struct TSockDiagInfo
{
    std::uint8_t Family = 0; // AF_INET or AF_INET6
    std::uint8_t State = 0;  // TCP_*
    std::uint32_t Uid = 0;
    std::uint32_t Inode = 0;
    std::uint64_t Cookie = 0;
    std::uint8_t LocalAddress[16] = {}; // IPv4 in the first four bytes
    std::uint8_t Id[48] = {};           // the kernel's inet_diag_sockid as sent: a lookup's key
    bool HasInfo = false;
    std::uint64_t BytesAcked = 0, BytesReceived = 0;
    bool HasSent = false; // Linux 4.19 and later: the data sent, and how much of it again
    std::uint64_t BytesSent = 0, BytesRetrans = 0;
    bool HasCgroupId = false;
    std::uint64_t CgroupId = 0;
};

bool ParseLink(const nlmsghdr* AMsg, TLinkInfo& ALink);
bool ParseSockDiag(const nlmsghdr* AMsg, TSockDiagInfo& ASocket);
bool ParseStats(const nlmsghdr* AMsg, TStatsInfo& AStats); // false without the 64-bit record
bool ParseAddr(const nlmsghdr* AMsg, TAddrInfo& AAddr);    // IPv4 only
bool ParseRoute(const nlmsghdr* AMsg, TRouteInfo& ARoute); // IPv4 only
bool ParseNeigh(const nlmsghdr* AMsg, TNeighInfo& ANeigh); // IPv4 only
// The TCP connections opened so far, ActiveOpens plus PassiveOpens, from the text of
// /proc/net/snmp (the "Tcp:" line of names, then the one of values); false when it holds none.
bool ParseTcpOpens(std::string_view ASnmp, std::uint64_t& ACount);

// Walks the messages of a receive buffer of ALength bytes. For each well-formed data message whose
// sequence number is ASeq, calls AVisit(message, AContext); AVisit returns false to skip the rest of
// the data. Returns 1 when the reply is complete (NLMSG_DONE, an acknowledgement, or the single
// reply of a plain request), 0 when more is to come, or a negative errno (the kernel's error, also
// one that ends a dump in its NLMSG_DONE, or -EBADMSG for a malformed buffer).
using TVisitFn = bool (*)(const nlmsghdr* AMsg, void* AContext);
int WalkMessages(const void* ABuffer, std::size_t ALength, std::uint32_t ASeq, TVisitFn AVisit, void* AContext);

// A netlink socket (NETLINK_ROUTE unless told otherwise) for request/reply exchanges with the
// kernel, reused across calls.
class TNetlinkSocket
{
public:
    TNetlinkSocket() = default;
    explicit TNetlinkSocket(int AProtocol) : FProtocol(AProtocol) {}
    bool Open();
    bool IsOpen() const { return FFd.Valid(); }
    // The next exchange opens a new socket.
    void Close();

    // Sends the request in ARequest (a complete message whose sequence number this sets) and reads
    // replies until the exchange is complete, handing each data message to AVisit. Each datagram is
    // read whole: the buffer grows to the size the kernel reports for it.
    // Returns 0, or a negative errno (from the kernel, or of the socket).
    int Exchange(nlmsghdr* ARequest, TVisitFn AVisit, void* AContext);

    template <typename TFn>
    int Exchange(nlmsghdr* ARequest, TFn& AFn)
    {
        return Exchange(
            ARequest, [](const nlmsghdr* AMsg, void* AContext) { return (*static_cast<TFn*>(AContext))(AMsg); }, &AFn);
    }

private:
    long ReceiveWhole();

    TUniqueFd FFd;
    int FProtocol = 0; // NETLINK_ROUTE
    std::uint32_t FSeq = 0;
    std::vector<unsigned char> FBuffer;
};

// The calling thread's socket, opened on first use in the network namespace of that moment.
// Null when no socket can be opened.
TNetlinkSocket* ThreadSocket();

// Opens the kernel end of a socket: a file descriptor, or -1 with errno set. The default opens a
// bound socket of the requested netlink protocol. Tests and the fuzzer put a scripted kernel in its place: any datagram
// socket that keeps message boundaries and reports a datagram's full length to MSG_PEEK | MSG_TRUNC
// (a SOCK_SEQPACKET socket pair). Null restores the default; sockets already open keep theirs.
using TOpenSocketFn = int (*)();
int OpenKernelSocket(int AProtocol);
void SetSocketOpener(TOpenSocketFn AOpen);

// The first size of the receive buffer: a whole dump datagram of the kernel (at most 32 KiB) fits.
inline constexpr std::size_t ReceiveBufferSize = 64 * 1024;
// A datagram larger than this is refused (-EMSGSIZE) rather than read.
inline constexpr std::size_t MaxDatagramSize = 16 * 1024 * 1024;

} // namespace qn::nl
