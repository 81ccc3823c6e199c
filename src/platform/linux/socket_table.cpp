// The socket table from NETLINK_SOCK_DIAG dumps, and TCP close events from its destroy groups.
#include "platform/socket_table.h"

#include "platform/atomic_file.h"
#include "platform/clock.h"
#include "platform/linux/netlink.h"
#include "platform/linux/unique_fd.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <libmnl/libmnl.h>
#include <linux/inet_diag.h>
#include <linux/netlink.h>
#include <linux/sock_diag.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>

namespace qn {

namespace {

bool IsLoopback(const nl::TSockDiagInfo& AInfo)
{
    const std::uint8_t* a = AInfo.LocalAddress;
    if (AInfo.Family == AF_INET)
        return a[0] == 127;
    static const std::uint8_t loopback6[16] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
    static const std::uint8_t mapped[12] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF};
    return std::memcmp(a, loopback6, 16) == 0 || (std::memcmp(a, mapped, 12) == 0 && a[12] == 127);
}

// The kernel's acknowledged count includes the sequence numbers of the SYN and the FIN; the data sent
// once (sent minus sent again) is the payload's bound, so the smaller of the two is the payload that
// arrived. Both only grow, so differences of the result still add up to the connection's total.
std::uint64_t PayloadAcked(const nl::TSockDiagInfo& AInfo)
{
    if (!AInfo.HasSent || AInfo.BytesRetrans > AInfo.BytesSent)
        return AInfo.BytesAcked;
    return std::min(AInfo.BytesAcked, AInfo.BytesSent - AInfo.BytesRetrans);
}

TSocketRecord ToRecord(const nl::TSockDiagInfo& AInfo, TSocketProtocol AProtocol)
{
    TSocketRecord record;
    record.Key.Family = AInfo.Family;
    std::memcpy(record.Key.Id.data(), AInfo.Id, record.Key.Id.size());
    record.Cookie = AInfo.Cookie;
    record.CgroupId = AInfo.CgroupId;
    record.HasCgroupId = AInfo.HasCgroupId;
    record.Uid = AInfo.Uid;
    record.Inode = AInfo.Inode;
    record.State = AInfo.State;
    record.Protocol = AProtocol;
    record.Loopback = IsLoopback(AInfo);
    record.HasCounters = AProtocol == TSocketProtocol::spTcp && AInfo.HasInfo;
    if (record.HasCounters) {
        record.BytesReceived = AInfo.BytesReceived;
        record.BytesAcked = PayloadAcked(AInfo);
    }
    return record;
}

// The kernel's own TCP state numbers (include/net/tcp_states.h).
constexpr unsigned StateListen = 10, StateTimeWait = 6, StateNewSynRecv = 12;

} // namespace

struct TSocketTableReader::TImpl
{
    nl::TNetlinkSocket Dump{NETLINK_SOCK_DIAG};
    TUniqueFd Events;
    bool EventsTried = false;
    bool EventsLost = false;

    bool CompatRefused = false;

    int LookUp(const TSocketKey& AKey, std::vector<TSocketRecord>& ASockets);
    int DumpOne(std::uint8_t AFamily, std::uint8_t AProtocol, std::vector<TSocketRecord>& ASockets);
    int DumpTcp(std::vector<TSocketRecord>& ASockets);
    int Exchange(nlmsghdr* AMsg, TSocketProtocol AProtocol, std::vector<TSocketRecord>& ASockets);
    bool OpenEvents();
};

int TSocketTableReader::TImpl::Exchange(nlmsghdr* AMsg, TSocketProtocol AProtocol, std::vector<TSocketRecord>& ASockets)
{
    const std::size_t before = ASockets.size();
    int result = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        ASockets.resize(before);
        auto visit = [&](const nlmsghdr* AReply) {
            nl::TSockDiagInfo info;
            if (nl::ParseSockDiag(AReply, info))
                ASockets.push_back(ToRecord(info, AProtocol));
            return true;
        };
        result = Dump.Exchange(AMsg, visit);
        if (result != -EMSGSIZE && result != -ENOBUFS)
            break;
    }
    if (result < 0)
        ASockets.resize(before);
    return result;
}

// Listening sockets move no payload and time-wait sockets have no counters left; leaving them out
// keeps a server's table short.
constexpr std::uint32_t TcpStates = ~((1u << StateListen) | (1u << StateTimeWait) | (1u << StateNewSynRecv));
constexpr auto InfoExtension = static_cast<std::uint8_t>(1u << (INET_DIAG_INFO - 1));

int TSocketTableReader::TImpl::DumpOne(std::uint8_t AFamily, std::uint8_t AProtocol,
                                       std::vector<TSocketRecord>& ASockets)
{
    alignas(nlmsghdr) unsigned char request[NLMSG_SPACE(sizeof(inet_diag_req_v2))] = {};
    nlmsghdr* msg = mnl_nlmsg_put_header(request);
    msg->nlmsg_type = SOCK_DIAG_BY_FAMILY;
    msg->nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
    auto* req = static_cast<inet_diag_req_v2*>(mnl_nlmsg_put_extra_header(msg, sizeof(inet_diag_req_v2)));
    req->sdiag_family = AFamily;
    req->sdiag_protocol = AProtocol;
    const bool tcp = AProtocol == IPPROTO_TCP;
    req->idiag_states = tcp ? TcpStates : ~0u;
    req->idiag_ext = tcp ? InfoExtension : 0;
    return Exchange(msg, tcp ? TSocketProtocol::spTcp : TSocketProtocol::spUdp, ASockets);
}

// Each TCP dump walks the kernel's whole established-connections hash (262,144 buckets on a
// machine with a few GiB), which costs more than the sockets in it. The older request type walks
// it once for both families; a kernel that refuses it gets one dump per family.
int TSocketTableReader::TImpl::DumpTcp(std::vector<TSocketRecord>& ASockets)
{
    if (!CompatRefused) {
        alignas(nlmsghdr) unsigned char request[NLMSG_SPACE(sizeof(inet_diag_req))] = {};
        nlmsghdr* msg = mnl_nlmsg_put_header(request);
        msg->nlmsg_type = TCPDIAG_GETSOCK;
        msg->nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
        auto* req = static_cast<inet_diag_req*>(mnl_nlmsg_put_extra_header(msg, sizeof(inet_diag_req)));
        req->idiag_family = AF_INET;
        req->idiag_states = TcpStates;
        req->idiag_ext = InfoExtension;
        const int result = Exchange(msg, TSocketProtocol::spTcp, ASockets);
        if (result != -EINVAL && result != -EOPNOTSUPP && result != -ENOENT)
            return result;
        CompatRefused = true;
    }
    const int result = DumpOne(AF_INET, IPPROTO_TCP, ASockets);
    if (result < 0)
        return result;
    const int v6 = DumpOne(AF_INET6, IPPROTO_TCP, ASockets);
    return v6 == -ENOENT || v6 == -EAFNOSUPPORT || v6 == -EOPNOTSUPP ? 0 : v6;
}

// One socket by its key: the kernel finds it through its hash bucket and checks the cookie, so a
// closed socket whose addresses and ports were taken again is not mistaken for it.
int TSocketTableReader::TImpl::LookUp(const TSocketKey& AKey, std::vector<TSocketRecord>& ASockets)
{
    alignas(nlmsghdr) unsigned char request[NLMSG_SPACE(sizeof(inet_diag_req_v2))] = {};
    nlmsghdr* msg = mnl_nlmsg_put_header(request);
    msg->nlmsg_type = SOCK_DIAG_BY_FAMILY;
    msg->nlmsg_flags = NLM_F_REQUEST;
    auto* req = static_cast<inet_diag_req_v2*>(mnl_nlmsg_put_extra_header(msg, sizeof(inet_diag_req_v2)));
    req->sdiag_family = AKey.Family;
    req->sdiag_protocol = IPPROTO_TCP;
    req->idiag_states = ~0u;
    req->idiag_ext = InfoExtension;
    static_assert(sizeof(req->id) == std::tuple_size_v<decltype(AKey.Id)>);
    std::memcpy(&req->id, AKey.Id.data(), sizeof(req->id));
    const int result = Exchange(msg, TSocketProtocol::spTcp, ASockets);
    // Closed since (gone, or its addresses taken by another socket): its close event tells the rest.
    return result == -ENOENT || result == -ESTALE ? 0 : result;
}

bool TSocketTableReader::TImpl::OpenEvents()
{
    if (Events.Valid() || EventsTried)
        return Events.Valid();
    EventsTried = true;
    TUniqueFd fd(socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC | SOCK_NONBLOCK, NETLINK_SOCK_DIAG));
    if (!fd.Valid())
        return false;
    sockaddr_nl local{};
    local.nl_family = AF_NETLINK;
    if (bind(fd.Get(), reinterpret_cast<const sockaddr*>(&local), sizeof(local)) < 0)
        return false;
    // A second's closes of a busy machine: each event is about 300 bytes.
    int size = 1 << 20;
    setsockopt(fd.Get(), SOL_SOCKET, SO_RCVBUF, &size, sizeof(size));
    for (int group : {SKNLGRP_INET_TCP_DESTROY, SKNLGRP_INET6_TCP_DESTROY})
        if (setsockopt(fd.Get(), SOL_NETLINK, NETLINK_ADD_MEMBERSHIP, &group, sizeof(group)) < 0)
            return false;
    Events = std::move(fd);
    return true;
}

TSocketTableReader::TSocketTableReader() : FImpl(std::make_unique<TImpl>()) {}

TSocketTableReader::~TSocketTableReader() = default;

int TSocketTableReader::ReadTable(TSocketTable& ATable)
{
    ATable.Sockets.clear();
    ATable.Partial = false;
    ATable.Tick = GetTickCount64();
    // Joining the close groups before the first dump: a socket seen there is never closed unseen.
    FImpl->OpenEvents();
    const int tcp = FImpl->DumpTcp(ATable.Sockets);
    if (tcp == -ENOENT || tcp == -EAFNOSUPPORT || tcp == -EOPNOTSUPP || tcp == -ENOTSOCK || tcp == -EPROTONOSUPPORT ||
        tcp == -EINVAL) {
        ATable.Sockets.clear();
        return 0;
    }
    if (tcp < 0) {
        ATable.Sockets.clear();
        return -1;
    }
    // UDP sockets only tell which applications hold some; a kernel without their half of the
    // diagnostics (or without IPv6) just has none to tell.
    for (const int family : {AF_INET, AF_INET6}) {
        const int result = FImpl->DumpOne(static_cast<std::uint8_t>(family), IPPROTO_UDP, ATable.Sockets);
        if (result < 0 && result != -ENOENT && result != -EAFNOSUPPORT && result != -EOPNOTSUPP && result != -EINVAL) {
            ATable.Sockets.clear();
            return -1;
        }
    }
    return 1;
}

int TSocketTableReader::ReadSockets(const std::vector<TSocketKey>& AKeys, TSocketTable& ATable)
{
    ATable.Sockets.clear();
    ATable.Partial = true;
    ATable.Tick = GetTickCount64();
    FImpl->OpenEvents();
    for (const TSocketKey& key : AKeys) {
        if (key.Family != AF_INET && key.Family != AF_INET6)
            continue;
        const int result = FImpl->LookUp(key, ATable.Sockets);
        if (result == -EINVAL || result == -EOPNOTSUPP || result == -EAFNOSUPPORT) {
            ATable.Sockets.clear();
            return 0;
        }
        if (result < 0) {
            ATable.Sockets.clear();
            return -1;
        }
    }
    return 1;
}

int TSocketTableReader::ReadOpenCount(std::uint64_t& ACount)
{
    // The namespace's TCP counters: a line of names, then a line of values.
    std::string text;
    switch (ReadWholeFile("/proc/net/snmp", text)) {
    case TFileReadResult::Ok:
        return nl::ParseTcpOpens(text, ACount) ? 1 : -1;
    case TFileReadResult::Missing:
        return 0;
    default:
        return -1;
    }
}

int TSocketTableReader::ReadCloses(std::vector<TSocketClose>& ACloses)
{
    if (!FImpl->OpenEvents())
        return 0;
    alignas(nlmsghdr) unsigned char buffer[32 * 1024];
    bool lost = std::exchange(FImpl->EventsLost, false);
    // Bounded: a flood of closes is read up to a point, and the rest waits for the next call.
    for (int i = 0; i < 4096; ++i) {
        const ssize_t n = recv(FImpl->Events.Get(), buffer, sizeof(buffer), MSG_DONTWAIT);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == ENOBUFS) {
            lost = true;
            continue;
        }
        if (n <= 0)
            break;
        auto visit = [&](const nlmsghdr* AMsg) {
            nl::TSockDiagInfo info;
            if (nl::ParseSockDiag(AMsg, info) && info.HasInfo)
                ACloses.push_back({info.Cookie, info.BytesReceived, PayloadAcked(info), IsLoopback(info)});
            return true;
        };
        // Events are not replies: they carry sequence number 0.
        nl::WalkMessages(
            buffer, static_cast<std::size_t>(n), 0,
            [](const nlmsghdr* AMsg, void* AContext) { return (*static_cast<decltype(visit)*>(AContext))(AMsg); },
            &visit);
    }
    return lost ? -1 : 1;
}

std::uint32_t CurrentUserId()
{
    return static_cast<std::uint32_t>(getuid());
}

} // namespace qn
