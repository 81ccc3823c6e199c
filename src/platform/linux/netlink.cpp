// rtnetlink framing: the request/reply socket and the message parsers of the IP helper provider.
#include "platform/linux/netlink.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <libmnl/libmnl.h>
#include <linux/if_addr.h>
#include <linux/if_link.h>
#include <linux/inet_diag.h>
#include <linux/neighbour.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <linux/sock_diag.h>
#include <linux/tcp.h>
#include <memory>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

namespace qn::nl {

namespace {

// Calls AFn(type, payload, length) for each attribute between AStart and AEnd. The bound is the
// message's own (unaligned) end, so a last attribute can never be read past the bytes received.
template <typename TFn>
void ForEachAttribute(const void* AStart, const void* AEnd, TFn&& AFn)
{
    const auto* p = static_cast<const unsigned char*>(AStart);
    const auto* end = static_cast<const unsigned char*>(AEnd);
    while (p < end) {
        const auto* attr = reinterpret_cast<const nlattr*>(p);
        const auto remaining = static_cast<int>(std::min<std::ptrdiff_t>(end - p, 1 << 30));
        if (!mnl_attr_ok(attr, remaining))
            return;
        AFn(mnl_attr_get_type(attr), static_cast<const unsigned char*>(mnl_attr_get_payload(attr)),
            static_cast<std::size_t>(mnl_attr_get_payload_len(attr)));
        const std::size_t step = MNL_ALIGN(attr->nla_len);
        if (step >= static_cast<std::size_t>(end - p))
            return;
        p += step;
    }
}

// The attributes of a message start after its family header; false when the message is too short
// to hold that header.
template <typename THeader, typename TFn>
bool ForEachMessageAttribute(const nlmsghdr* AMsg, THeader& AHeader, TFn&& AFn)
{
    if (AMsg->nlmsg_len < NLMSG_HDRLEN + sizeof(THeader))
        return false;
    const auto* base = reinterpret_cast<const unsigned char*>(AMsg);
    std::memcpy(&AHeader, base + NLMSG_HDRLEN, sizeof(THeader));
    const std::size_t offset = NLMSG_HDRLEN + NLMSG_ALIGN(sizeof(THeader));
    if (offset < AMsg->nlmsg_len)
        ForEachAttribute(base + offset, base + AMsg->nlmsg_len, AFn);
    return true;
}

template <typename T>
bool ReadScalar(const unsigned char* APayload, std::size_t ALength, T& AValue)
{
    if (ALength < sizeof(T))
        return false;
    std::memcpy(&AValue, APayload, sizeof(T));
    return true;
}

// Copies a kernel string attribute, which may lack its NUL, into a fixed field, always terminated.
template <std::size_t N>
void ReadString(const unsigned char* APayload, std::size_t ALength, char (&AText)[N])
{
    std::size_t n = 0;
    while (n < ALength && n < N - 1 && APayload[n] != 0) {
        AText[n] = static_cast<char>(APayload[n]);
        ++n;
    }
    AText[n] = 0;
}

template <std::size_t N>
void ReadBytes(const unsigned char* APayload, std::size_t ALength, std::uint8_t (&ABytes)[N], std::uint32_t& ACount)
{
    ACount = static_cast<std::uint32_t>(std::min(ALength, N));
    std::memcpy(ABytes, APayload, ACount);
}

// Older and newer kernels send shorter or longer records; the leading counters are what we need.
// The 64-bit and the 32-bit record share their field names.
template <typename TStats>
void ReadStats(const unsigned char* APayload, std::size_t ALength, TLinkInfo& ALink)
{
    TStats stats{};
    constexpr std::size_t needed = offsetof(TStats, multicast) + sizeof(stats.multicast);
    if (ALength < needed)
        return;
    std::memcpy(&stats, APayload, std::min(ALength, sizeof(stats)));
    ALink.RxPackets = stats.rx_packets;
    ALink.TxPackets = stats.tx_packets;
    ALink.RxBytes = stats.rx_bytes;
    ALink.TxBytes = stats.tx_bytes;
    ALink.RxErrors = stats.rx_errors;
    ALink.TxErrors = stats.tx_errors;
    ALink.RxDropped = stats.rx_dropped;
    ALink.TxDropped = stats.tx_dropped;
    ALink.Multicast = stats.multicast;
    ALink.HasStats = true;
}

} // namespace

bool ParseLink(const nlmsghdr* AMsg, TLinkInfo& ALink)
{
    ALink = TLinkInfo{};
    if (AMsg->nlmsg_type != RTM_NEWLINK)
        return false;
    ifinfomsg header{};
    bool haveStats64 = false;
    const bool ok = ForEachMessageAttribute(AMsg, header, [&](unsigned type, const unsigned char* p, std::size_t n) {
        switch (type) {
        case IFLA_IFNAME:
            ReadString(p, n, ALink.Name);
            break;
        case IFLA_ADDRESS:
            ReadBytes(p, n, ALink.Address, ALink.AddressLength);
            break;
        case IFLA_PERM_ADDRESS:
            ReadBytes(p, n, ALink.PermAddress, ALink.PermAddressLength);
            break;
        case IFLA_MTU:
            ReadScalar(p, n, ALink.Mtu);
            break;
        case IFLA_OPERSTATE:
            ReadScalar(p, n, ALink.OperState);
            break;
        case IFLA_IFALIAS:
            ReadString(p, n, ALink.Alias);
            break;
        case IFLA_CARRIER_CHANGES:
            ReadScalar(p, n, ALink.CarrierChanges);
            break;
        case IFLA_PARENT_DEV_NAME:
            ALink.HasParentDevice = n > 0;
            break;
        case IFLA_STATS64:
            ReadStats<rtnl_link_stats64>(p, n, ALink);
            haveStats64 = ALink.HasStats;
            break;
        case IFLA_STATS:
            if (!haveStats64)
                ReadStats<rtnl_link_stats>(p, n, ALink);
            break;
        case IFLA_LINKINFO:
            ForEachAttribute(p, p + n, [&](unsigned inner, const unsigned char* q, std::size_t m) {
                if (inner == IFLA_INFO_KIND)
                    ReadString(q, m, ALink.Kind);
            });
            break;
        case IFLA_PROP_LIST:
            ForEachAttribute(p, p + n, [&](unsigned inner, const unsigned char* q, std::size_t m) {
                if (inner == IFLA_ALT_IFNAME && ALink.AltName[0] == 0)
                    ReadString(q, m, ALink.AltName);
            });
            break;
        default:
            break;
        }
    });
    if (!ok || header.ifi_index <= 0)
        return false;
    ALink.Index = static_cast<std::uint32_t>(header.ifi_index);
    ALink.ArpType = header.ifi_type;
    ALink.Flags = header.ifi_flags;
    return true;
}

bool ParseStats(const nlmsghdr* AMsg, TStatsInfo& AStats)
{
    AStats = TStatsInfo{};
    if (AMsg->nlmsg_type != RTM_NEWSTATS)
        return false;
    if_stats_msg header{};
    bool found = false;
    const bool ok = ForEachMessageAttribute(
        AMsg, header, [&](std::uint16_t AType, const unsigned char* APayload, std::size_t ALength) {
            // Only the leading octet counters are needed; older kernels may send a shorter record.
            constexpr std::size_t needed = offsetof(rtnl_link_stats64, tx_bytes) + sizeof(std::uint64_t);
            if (AType != IFLA_STATS_LINK_64 || ALength < needed)
                return;
            rtnl_link_stats64 stats{};
            std::memcpy(&stats, APayload, std::min(ALength, sizeof(stats)));
            AStats.RxBytes = stats.rx_bytes;
            AStats.TxBytes = stats.tx_bytes;
            found = true;
        });
    if (!ok || header.ifindex == 0)
        return false;
    AStats.Index = header.ifindex;
    return found;
}

bool ParseAddr(const nlmsghdr* AMsg, TAddrInfo& AAddr)
{
    AAddr = TAddrInfo{};
    if (AMsg->nlmsg_type != RTM_NEWADDR)
        return false;
    ifaddrmsg header{};
    bool haveLocal = false, haveAddress = false, haveFlags = false;
    std::uint32_t local = 0, address = 0, flags = 0;
    const bool ok = ForEachMessageAttribute(AMsg, header, [&](unsigned type, const unsigned char* p, std::size_t n) {
        switch (type) {
        case IFA_LOCAL:
            haveLocal = n == 4 && ReadScalar(p, n, local);
            break;
        case IFA_ADDRESS:
            haveAddress = n == 4 && ReadScalar(p, n, address);
            break;
        case IFA_BROADCAST:
            if (n == 4)
                ReadScalar(p, n, AAddr.Broadcast);
            break;
        case IFA_LABEL:
            ReadString(p, n, AAddr.Label);
            break;
        case IFA_FLAGS:
            haveFlags = ReadScalar(p, n, flags);
            break;
        case IFA_CACHEINFO: {
            ifa_cacheinfo info{};
            if (ReadScalar(p, n, info)) {
                AAddr.ValidLifetime = info.ifa_valid;
                AAddr.PreferredLifetime = info.ifa_prefered;
            }
            break;
        }
        default:
            break;
        }
    });
    // A point-to-point address carries the peer in IFA_ADDRESS and our own in IFA_LOCAL.
    if (!ok || header.ifa_family != AF_INET || (!haveLocal && !haveAddress) || header.ifa_prefixlen > 32)
        return false;
    AAddr.Index = header.ifa_index;
    AAddr.PrefixLength = header.ifa_prefixlen;
    AAddr.Flags = haveFlags ? flags : header.ifa_flags;
    AAddr.Address = haveLocal ? local : address;
    return true;
}

bool ParseRoute(const nlmsghdr* AMsg, TRouteInfo& ARoute)
{
    ARoute = TRouteInfo{};
    if (AMsg->nlmsg_type != RTM_NEWROUTE)
        return false;
    rtmsg header{};
    std::uint32_t oif = 0, gateway = 0;
    bool haveTable = false;
    const bool ok = ForEachMessageAttribute(AMsg, header, [&](unsigned type, const unsigned char* p, std::size_t n) {
        switch (type) {
        case RTA_TABLE:
            haveTable = ReadScalar(p, n, ARoute.Table);
            break;
        case RTA_DST:
            if (n == 4)
                ReadScalar(p, n, ARoute.Dst);
            break;
        case RTA_GATEWAY:
            if (n == 4)
                ReadScalar(p, n, gateway);
            break;
        case RTA_OIF:
            ReadScalar(p, n, oif);
            break;
        case RTA_PRIORITY:
            ReadScalar(p, n, ARoute.Priority);
            break;
        case RTA_PREFSRC:
            if (n == 4)
                ReadScalar(p, n, ARoute.PrefSource);
            break;
        case RTA_MULTIPATH: {
            // A list of rtnexthop records, each followed by its own attributes within rtnh_len.
            std::size_t offset = 0;
            while (offset + sizeof(rtnexthop) <= n && ARoute.HopCount < std::size(ARoute.Hops)) {
                rtnexthop hop{};
                std::memcpy(&hop, p + offset, sizeof(hop));
                if (hop.rtnh_len < sizeof(rtnexthop) || hop.rtnh_len > n - offset)
                    break;
                TRouteInfo::THop& out = ARoute.Hops[ARoute.HopCount++];
                out.Ifindex = hop.rtnh_ifindex > 0 ? static_cast<std::uint32_t>(hop.rtnh_ifindex) : 0;
                const unsigned char* attrs = p + offset + RTNH_ALIGN(sizeof(rtnexthop));
                const unsigned char* attrsEnd = p + offset + hop.rtnh_len;
                if (attrs < attrsEnd) {
                    ForEachAttribute(attrs, attrsEnd, [&](unsigned inner, const unsigned char* q, std::size_t m) {
                        if (inner == RTA_GATEWAY && m == 4)
                            ReadScalar(q, m, out.Gateway);
                    });
                }
                const std::size_t step = RTNH_ALIGN(hop.rtnh_len);
                if (step >= n - offset)
                    break;
                offset += step;
            }
            break;
        }
        default:
            break;
        }
    });
    if (!ok || header.rtm_family != AF_INET || header.rtm_dst_len > 32)
        return false;
    ARoute.Family = header.rtm_family;
    ARoute.DstLength = header.rtm_dst_len;
    ARoute.Type = header.rtm_type;
    if (!haveTable)
        ARoute.Table = header.rtm_table;
    if (ARoute.HopCount == 0 && (oif != 0 || gateway != 0)) {
        ARoute.Hops[0] = {oif, gateway};
        ARoute.HopCount = 1;
    }
    return true;
}

bool ParseNeigh(const nlmsghdr* AMsg, TNeighInfo& ANeigh)
{
    ANeigh = TNeighInfo{};
    if (AMsg->nlmsg_type != RTM_NEWNEIGH)
        return false;
    ndmsg header{};
    bool haveDst = false;
    const bool ok = ForEachMessageAttribute(AMsg, header, [&](unsigned type, const unsigned char* p, std::size_t n) {
        if (type == NDA_DST && n == 4)
            haveDst = ReadScalar(p, n, ANeigh.Address);
        else if (type == NDA_LLADDR)
            ReadBytes(p, n, ANeigh.LinkAddress, ANeigh.LinkAddressLength);
    });
    if (!ok || header.ndm_family != AF_INET || !haveDst || header.ndm_ifindex <= 0)
        return false;
    ANeigh.Index = static_cast<std::uint32_t>(header.ndm_ifindex);
    ANeigh.State = header.ndm_state;
    return true;
}

bool ParseSockDiag(const nlmsghdr* AMsg, TSockDiagInfo& ASocket)
{
    ASocket = TSockDiagInfo{};
    // The one-walk TCP dump of both families answers in its request's type.
    if (AMsg->nlmsg_type != SOCK_DIAG_BY_FAMILY && AMsg->nlmsg_type != TCPDIAG_GETSOCK)
        return false;
    inet_diag_msg header{};
    const bool ok = ForEachMessageAttribute(AMsg, header, [&](unsigned type, const unsigned char* p, std::size_t n) {
        if (type == INET_DIAG_INFO) {
            // Older kernels send a shorter record: take what it holds.
            tcp_info info{};
            std::memcpy(&info, p, std::min(n, sizeof(info)));
            if (n >= offsetof(tcp_info, tcpi_bytes_received) + sizeof(info.tcpi_bytes_received)) {
                ASocket.HasInfo = true;
                ASocket.BytesAcked = info.tcpi_bytes_acked;
                ASocket.BytesReceived = info.tcpi_bytes_received;
            }
            if (n >= offsetof(tcp_info, tcpi_bytes_retrans) + sizeof(info.tcpi_bytes_retrans)) {
                ASocket.HasSent = true;
                ASocket.BytesSent = info.tcpi_bytes_sent;
                ASocket.BytesRetrans = info.tcpi_bytes_retrans;
            }
        } else if (type == INET_DIAG_CGROUP_ID) {
            ASocket.HasCgroupId = ReadScalar(p, n, ASocket.CgroupId);
        }
    });
    if (!ok || (header.idiag_family != AF_INET && header.idiag_family != AF_INET6))
        return false;
    ASocket.Family = header.idiag_family;
    ASocket.State = header.idiag_state;
    ASocket.Uid = header.idiag_uid;
    ASocket.Inode = header.idiag_inode;
    ASocket.Cookie = std::uint64_t{header.id.idiag_cookie[1]} << 32 | header.id.idiag_cookie[0];
    std::memcpy(ASocket.LocalAddress, header.id.idiag_src, sizeof(ASocket.LocalAddress));
    static_assert(sizeof(ASocket.Id) == sizeof(header.id));
    std::memcpy(ASocket.Id, &header.id, sizeof(ASocket.Id));
    return true;
}

namespace {

// The next space-separated word of ALine from APos on; empty at the end.
std::string_view NextWord(std::string_view ALine, std::size_t& APos)
{
    while (APos < ALine.size() && ALine[APos] == ' ')
        ++APos;
    const std::size_t start = APos;
    while (APos < ALine.size() && ALine[APos] != ' ')
        ++APos;
    return ALine.substr(start, APos - start);
}

bool ParseDecimal(std::string_view AText, std::uint64_t& AValue)
{
    if (AText.empty())
        return false;
    AValue = 0;
    for (const char c : AText) {
        if (c < '0' || c > '9' || AValue > (UINT64_MAX - 9) / 10)
            return false;
        AValue = AValue * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return true;
}

} // namespace

bool ParseTcpOpens(std::string_view ASnmp, std::uint64_t& ACount)
{
    constexpr std::string_view prefix = "Tcp:";
    std::string_view names;
    while (!ASnmp.empty()) {
        const std::size_t end = ASnmp.find('\n');
        const std::string_view line = ASnmp.substr(0, end);
        ASnmp = end == std::string_view::npos ? std::string_view() : ASnmp.substr(end + 1);
        if (line.substr(0, prefix.size()) != prefix) {
            names = {};
            continue;
        }
        if (names.empty()) {
            names = line;
            continue;
        }
        // The counters are found by name, their order is not assumed.
        std::size_t n = prefix.size(), v = prefix.size();
        std::uint64_t sum = 0;
        int found = 0;
        for (std::string_view name; !(name = NextWord(names, n)).empty();) {
            const std::string_view value = NextWord(line, v);
            std::uint64_t number = 0;
            if ((name == "ActiveOpens" || name == "PassiveOpens") && ParseDecimal(value, number)) {
                sum += number;
                ++found;
            }
        }
        if (found != 2)
            return false;
        ACount = sum;
        return true;
    }
    return false;
}

int WalkMessages(const void* ABuffer, std::size_t ALength, std::uint32_t ASeq, TVisitFn AVisit, void* AContext)
{
    const auto* p = static_cast<const unsigned char*>(ABuffer);
    std::size_t remaining = ALength;
    bool visiting = true;
    int status = 0;
    while (remaining >= sizeof(nlmsghdr)) {
        const auto* msg = reinterpret_cast<const nlmsghdr*>(p);
        if (msg->nlmsg_len < sizeof(nlmsghdr) || msg->nlmsg_len > remaining)
            return -EBADMSG;
        if (msg->nlmsg_seq == ASeq) {
            if (msg->nlmsg_type == NLMSG_DONE) {
                // A dump the kernel could not finish (a link too large for its buffer) ends with
                // its error here: the records so far are a short list, not the table.
                int error = 0;
                if (msg->nlmsg_len >= NLMSG_HDRLEN + sizeof(error))
                    std::memcpy(&error, p + NLMSG_HDRLEN, sizeof(error));
                if (error < 0)
                    return error;
                status = 1;
            } else if (msg->nlmsg_type == NLMSG_ERROR) {
                nlmsgerr error{};
                if (msg->nlmsg_len < NLMSG_HDRLEN + sizeof(error.error))
                    return -EBADMSG;
                std::memcpy(&error.error, p + NLMSG_HDRLEN, sizeof(error.error));
                if (error.error < 0)
                    return error.error;
                status = 1; // an acknowledgement
            } else if (msg->nlmsg_type >= NLMSG_MIN_TYPE) {
                if (visiting)
                    visiting = AVisit(msg, AContext);
                if (!(msg->nlmsg_flags & NLM_F_MULTI))
                    status = 1;
            }
        }
        const std::size_t step = NLMSG_ALIGN(msg->nlmsg_len);
        if (step >= remaining)
            break;
        p += step;
        remaining -= step;
    }
    return status;
}

int OpenKernelSocket(int AProtocol)
{
    const int fd = socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, AProtocol);
    if (fd < 0)
        return -1;
    sockaddr_nl local{};
    local.nl_family = AF_NETLINK;
    if (bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof(local)) < 0) {
        const int error = errno;
        close(fd);
        errno = error;
        return -1;
    }
    // Replies come at once; the timeout only guards against a kernel that never answers.
    timeval timeout{2, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof(timeout));
    // Error replies then carry only the header of the failed request, not the whole request.
    int one = 1;
    setsockopt(fd, SOL_NETLINK, NETLINK_CAP_ACK, &one, sizeof(one));
    return fd;
}

namespace {

std::atomic<TOpenSocketFn> GOpenSocket{nullptr};

} // namespace

void SetSocketOpener(TOpenSocketFn AOpen)
{
    GOpenSocket.store(AOpen);
}

bool TNetlinkSocket::Open()
{
    if (FFd.Valid())
        return true;
    const TOpenSocketFn open = GOpenSocket.load();
    FFd.Reset(open ? open() : OpenKernelSocket(FProtocol));
    if (!FFd.Valid())
        return false;
    FSeq = 0;
    if (FBuffer.size() < ReceiveBufferSize)
        FBuffer.resize(ReceiveBufferSize);
    return true;
}

void TNetlinkSocket::Close()
{
    FFd.Reset();
}

// The kernel tells the size of the next datagram to a peek; a plain read into a smaller buffer would
// cut it and lose the rest of the dump. Returns the datagram's length, or a negative errno.
long TNetlinkSocket::ReceiveWhole()
{
    for (;;) {
        const ssize_t size = recv(FFd.Get(), nullptr, 0, MSG_PEEK | MSG_TRUNC);
        if (size < 0 && errno == EINTR)
            continue;
        if (size < 0)
            return -errno;
        if (size == 0)
            return -ENODATA; // the peer went away; never a reply
        if (static_cast<std::size_t>(size) > MaxDatagramSize)
            return -EMSGSIZE;
        if (static_cast<std::size_t>(size) > FBuffer.size())
            FBuffer.resize((static_cast<std::size_t>(size) + 4095) & ~std::size_t{4095});
        const ssize_t n = recv(FFd.Get(), FBuffer.data(), FBuffer.size(), MSG_TRUNC);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -errno;
        if (n == 0)
            return -ENODATA;
        if (static_cast<std::size_t>(n) > FBuffer.size())
            return -EMSGSIZE; // cut after all: the rest of this datagram is gone
        return n;
    }
}

int TNetlinkSocket::Exchange(nlmsghdr* ARequest, TVisitFn AVisit, void* AContext)
{
    if (!Open())
        return -ENOTSOCK;
    ARequest->nlmsg_seq = ++FSeq;
    ARequest->nlmsg_pid = 0;
    for (;;) {
        if (send(FFd.Get(), ARequest, ARequest->nlmsg_len, MSG_NOSIGNAL) >= 0)
            break;
        if (errno == EINTR)
            continue;
        const int error = errno;
        Close();
        return -error;
    }
    for (;;) {
        const long n = ReceiveWhole();
        if (n < 0) {
            // A lost reply or a cut datagram: the stream is out of step; start afresh.
            Close();
            return static_cast<int>(n);
        }
        const int status = WalkMessages(FBuffer.data(), static_cast<std::size_t>(n), FSeq, AVisit, AContext);
        if (status < 0 || status == 1)
            return status < 0 ? status : 0;
    }
}

TNetlinkSocket* ThreadSocket()
{
    thread_local TNetlinkSocket socket;
    return socket.Open() ? &socket : nullptr;
}

} // namespace qn::nl
