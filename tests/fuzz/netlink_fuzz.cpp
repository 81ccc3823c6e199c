// Fuzzes the provider's rtnetlink path from the socket up: scripted kernel replies go through the
// socket's receive path (datagrams of any size, multi-part dumps, NLMSG_DONE and NLMSG_ERROR,
// interrupted dumps) into the dump assembly of one provider function, and every message of every
// reply through the link, address, route and neighbour parsers.
//
// Input: one byte choosing the provider function (and the interface index it asks for), then
// datagrams, each as [flags][sequence][length, 2 bytes little-endian][bytes]. Flag 0x80 stamps the
// sequence number into every message of the datagram; flags & 0x3F adds that many KiB inside its
// first message, so that small inputs make messages larger than the receive buffer.
#include "platform/linux/ip_helper_linux.h"
#include "platform/linux/netlink.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <linux/netlink.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace {

int GOurs = -1;

int OpenScripted()
{
    return fcntl(GOurs, F_DUPFD_CLOEXEC, 0);
}

// Makes a datagram from one input record; false when the input is used up.
bool NextDatagram(const std::uint8_t*& AData, std::size_t& ASize, std::vector<unsigned char>& ADatagram)
{
    if (ASize < 4)
        return false;
    const std::uint8_t flags = AData[0];
    const std::uint8_t seq = AData[1];
    const std::size_t length = std::min<std::size_t>(AData[2] | AData[3] << 8, ASize - 4);
    ADatagram.assign(AData + 4, AData + 4 + length);
    AData += 4 + length;
    ASize -= 4 + length;
    const std::size_t padding = (flags & 0x3F) * std::size_t{1024};
    if (padding > 0 && ADatagram.size() >= sizeof(nlmsghdr)) {
        nlmsghdr first{};
        std::memcpy(&first, ADatagram.data(), sizeof(first));
        const std::size_t end = std::min<std::size_t>(NLMSG_ALIGN(first.nlmsg_len), ADatagram.size());
        std::vector<unsigned char> filler;
        for (std::size_t left = padding; left > 0;) {
            const std::uint16_t n = static_cast<std::uint16_t>(std::min<std::size_t>(left, 60000));
            const nlattr attr{static_cast<std::uint16_t>(NLA_HDRLEN + n), 0x7FF0};
            const auto* a = reinterpret_cast<const unsigned char*>(&attr);
            filler.insert(filler.end(), a, a + sizeof(attr));
            filler.resize(filler.size() + NLA_ALIGN(n), 'x');
            left -= n;
        }
        ADatagram.insert(ADatagram.begin() + static_cast<std::ptrdiff_t>(end), filler.begin(), filler.end());
        first.nlmsg_len = static_cast<std::uint32_t>(first.nlmsg_len + filler.size());
        std::memcpy(ADatagram.data(), &first, sizeof(first));
    }
    if (flags & 0x80) {
        for (std::size_t offset = 0; offset + sizeof(nlmsghdr) <= ADatagram.size();) {
            nlmsghdr header{};
            std::memcpy(&header, ADatagram.data() + offset, sizeof(header));
            header.nlmsg_seq = seq;
            std::memcpy(ADatagram.data() + offset, &header, sizeof(header));
            if (header.nlmsg_len < sizeof(nlmsghdr) || header.nlmsg_len > ADatagram.size() - offset)
                break;
            offset += NLMSG_ALIGN(header.nlmsg_len);
        }
    }
    return true;
}

void ParseAll(const std::vector<unsigned char>& ADatagram)
{
    // The kernel hands over aligned buffers; keep the exact length so any over-read is caught.
    if (ADatagram.empty())
        return;
    std::vector<std::uint64_t> aligned(ADatagram.size() / 8 + 1);
    std::memcpy(aligned.data(), ADatagram.data(), ADatagram.size());
    const auto visit = [](const nlmsghdr* AMsg, void*) {
        qn::nl::TLinkInfo link;
        qn::nl::TAddrInfo addr;
        qn::nl::TRouteInfo route;
        qn::nl::TNeighInfo neigh;
        qn::nl::ParseLink(AMsg, link);
        qn::nl::ParseAddr(AMsg, addr);
        qn::nl::ParseRoute(AMsg, route);
        qn::nl::ParseNeigh(AMsg, neigh);
        return true;
    };
    std::uint32_t seq = 0;
    if (ADatagram.size() >= sizeof(nlmsghdr))
        std::memcpy(&seq, ADatagram.data() + offsetof(nlmsghdr, nlmsg_seq), sizeof(seq));
    qn::nl::WalkMessages(aligned.data(), ADatagram.size(), seq, visit, nullptr);
}

// Asks for the size, then fills a buffer of that size, as the snapshot does.
template <typename TCall>
void Sized(TCall ACall)
{
    ULONG size = 0;
    ACall(nullptr, &size);
    if (size == 0 || size > (4u << 20))
        return;
    std::vector<std::uint64_t> buffer(size / 8 + 1);
    ACall(buffer.data(), &size);
}

void CallProvider(std::uint8_t AChoice)
{
    namespace ip = qn::linux_ip;
    const std::uint32_t index = AChoice >> 3;
    switch (AChoice & 7) {
    case 0:
        Sized([](void* p, ULONG* n) { ip::GetInterfaceInfo(static_cast<PIP_INTERFACE_INFO>(p), n); });
        break;
    case 1:
        Sized([](void* p, ULONG* n) { ip::GetAdaptersInfo(static_cast<PIP_ADAPTER_INFO>(p), n); });
        break;
    case 2:
        Sized([](void* p, ULONG* n) { ip::GetIpAddrTable(static_cast<PMIB_IPADDRTABLE>(p), n, 1); });
        break;
    case 3:
        Sized([](void* p, ULONG* n) { ip::GetIpNetTable(static_cast<PMIB_IPNETTABLE>(p), n, 1); });
        break;
    case 4: {
        MIB_IFROW row{};
        row.dwIndex = index;
        ip::GetIfEntry(&row);
        MIB_IF_ROW2 row2{};
        row2.InterfaceIndex = index;
        ip::GetIfEntry2(&row2);
        break;
    }
    case 5: {
        DWORD best = 0;
        ip::GetBestInterface(0x08080808, &best);
        break;
    }
    case 6:
        Sized([](void* p, ULONG* n) {
            ip::GetAdaptersAddresses(AF_INET, 0, nullptr, static_cast<PIP_ADAPTER_ADDRESSES>(p), n);
        });
        break;
    default:
        Sized([](void* p, ULONG* n) { ip::GetNetworkParams(static_cast<PFIXED_INFO>(p), n); });
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ASize)
{
    if (ASize < 1)
        return 0;
    const std::uint8_t choice = AData[0];
    ++AData;
    --ASize;
    int fds[2];
    if (socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, fds) != 0)
        return 0;
    // Replies that run out end an exchange at once, as a socket timeout would.
    fcntl(fds[1], F_SETFL, O_NONBLOCK);
    GOurs = fds[1];
    std::vector<unsigned char> datagram;
    for (int count = 0; count < 64 && NextDatagram(AData, ASize, datagram); ++count) {
        ParseAll(datagram);
        if (send(fds[0], datagram.data(), datagram.size(), MSG_DONTWAIT) < 0)
            break; // the queue is full: the rest would not arrive either
    }
    qn::nl::SetSocketOpener(OpenScripted);
    if (qn::nl::TNetlinkSocket* socket = qn::nl::ThreadSocket())
        socket->Close(); // opened on the scripted end again at the first request, sequence 1
    CallProvider(choice);
    if (qn::nl::TNetlinkSocket* socket = qn::nl::ThreadSocket())
        socket->Close();
    qn::nl::SetSocketOpener(nullptr);
    close(fds[0]);
    close(fds[1]);
    return 0;
}
