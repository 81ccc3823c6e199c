// Fuzzes the socket table's kernel path: scripted sock_diag replies go through the netlink socket's
// receive path into the table's four dumps (TCP and UDP, IPv4 and IPv6) and the look-ups of the
// sockets found, and every message of every reply through the sock_diag parser, as close events
// are; each datagram is also read as the text of the TCP counters.
//
// Input: datagrams, each as [sequence][length, 2 bytes little-endian][bytes]; the sequence number
// is stamped into every message of the datagram.
#include "platform/linux/netlink.h"
#include "platform/socket_table.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <linux/netlink.h>
#include <string_view>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace {

int GOurs = -1;

int OpenScripted()
{
    return fcntl(GOurs, F_DUPFD_CLOEXEC, 0);
}

bool NextDatagram(const std::uint8_t*& AData, std::size_t& ASize, std::vector<unsigned char>& ADatagram)
{
    if (ASize < 3)
        return false;
    const std::uint8_t seq = AData[0];
    const std::size_t length = std::min<std::size_t>(AData[1] | AData[2] << 8, ASize - 3);
    ADatagram.assign(AData + 3, AData + 3 + length);
    AData += 3 + length;
    ASize -= 3 + length;
    for (std::size_t offset = 0; offset + sizeof(nlmsghdr) <= ADatagram.size();) {
        nlmsghdr header{};
        std::memcpy(&header, ADatagram.data() + offset, sizeof(header));
        header.nlmsg_seq = seq;
        std::memcpy(ADatagram.data() + offset, &header, sizeof(header));
        if (header.nlmsg_len < sizeof(nlmsghdr) || header.nlmsg_len > ADatagram.size() - offset)
            break;
        offset += NLMSG_ALIGN(header.nlmsg_len);
    }
    return true;
}

void ParseAll(const std::vector<unsigned char>& ADatagram)
{
    if (ADatagram.empty())
        return;
    std::uint64_t opens = 0;
    qn::nl::ParseTcpOpens(std::string_view(reinterpret_cast<const char*>(ADatagram.data()), ADatagram.size()), opens);
    std::vector<std::uint64_t> aligned(ADatagram.size() / 8 + 1);
    std::memcpy(aligned.data(), ADatagram.data(), ADatagram.size());
    const auto visit = [](const nlmsghdr* AMsg, void*) {
        qn::nl::TSockDiagInfo info;
        qn::nl::ParseSockDiag(AMsg, info);
        return true;
    };
    std::uint32_t seq = 0;
    if (ADatagram.size() >= sizeof(nlmsghdr))
        std::memcpy(&seq, ADatagram.data() + offsetof(nlmsghdr, nlmsg_seq), sizeof(seq));
    qn::nl::WalkMessages(aligned.data(), ADatagram.size(), seq, visit, nullptr);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ASize)
{
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
            break;
    }
    qn::nl::SetSocketOpener(OpenScripted);
    {
        qn::TSocketTableReader reader;
        qn::TSocketTable table;
        reader.ReadTable(table);
        std::vector<qn::TSocketKey> keys;
        for (std::size_t i = 0; i < table.Sockets.size() && i < 4; ++i)
            keys.push_back(table.Sockets[i].Key);
        reader.ReadSockets(keys, table);
    }
    qn::nl::SetSocketOpener(nullptr);
    close(fds[0]);
    close(fds[1]);
    return 0;
}
