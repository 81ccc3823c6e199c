// The netlink socket's receive path and the provider's dump assembly against a scripted kernel: a
// socket pair whose far end holds the replies, put in place of the kernel's socket.
#include "platform/linux/ip_helper_linux.h"
#include "platform/linux/netlink.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/if_link.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace qn::nl {
namespace {

// One datagram of messages, each built from a header, a family header and attributes.
class TDatagram
{
public:
    TDatagram& Link(std::uint32_t ASeq, int AIndex, const std::string& AName, std::uint16_t AFlags = NLM_F_MULTI,
                    std::size_t APadding = 0)
    {
        const std::size_t start = Begin(RTM_NEWLINK, ASeq, AFlags);
        ifinfomsg header{};
        header.ifi_index = AIndex;
        header.ifi_type = 1;
        Append(&header, sizeof(header));
        Attr(IFLA_IFNAME, AName.c_str(), AName.size() + 1);
        // Unknown attributes of at most 64 KiB each make the message as large as asked.
        const std::vector<unsigned char> filler(60000, 'x');
        for (std::size_t left = APadding; left > 0;) {
            const std::size_t n = std::min(left, filler.size());
            Attr(0x7FF0, filler.data(), n);
            left -= n;
        }
        return End(start);
    }
    TDatagram& Done(std::uint32_t ASeq, int AError = 0)
    {
        const std::size_t start = Begin(NLMSG_DONE, ASeq, NLM_F_MULTI);
        Append(&AError, sizeof(AError));
        return End(start);
    }
    TDatagram& Error(std::uint32_t ASeq, int AError)
    {
        const std::size_t start = Begin(NLMSG_ERROR, ASeq, 0);
        nlmsgerr error{};
        error.error = AError;
        Append(&error, sizeof(error));
        return End(start);
    }
    const std::vector<unsigned char>& Bytes() const { return FBytes; }

private:
    std::size_t Begin(std::uint16_t AType, std::uint32_t ASeq, std::uint16_t AFlags)
    {
        const std::size_t start = FBytes.size();
        nlmsghdr header{};
        header.nlmsg_type = AType;
        header.nlmsg_flags = AFlags;
        header.nlmsg_seq = ASeq;
        Append(&header, sizeof(header));
        return start;
    }
    TDatagram& End(std::size_t AStart)
    {
        const auto length = static_cast<std::uint32_t>(FBytes.size() - AStart);
        std::memcpy(FBytes.data() + AStart + offsetof(nlmsghdr, nlmsg_len), &length, sizeof(length));
        return *this;
    }
    void Attr(std::uint16_t AType, const void* APayload, std::size_t ALength)
    {
        const nlattr attr{static_cast<std::uint16_t>(NLA_HDRLEN + ALength), AType};
        Append(&attr, sizeof(attr));
        Append(APayload, ALength);
    }
    void Append(const void* AData, std::size_t ALength)
    {
        const auto* p = static_cast<const unsigned char*>(AData);
        FBytes.insert(FBytes.end(), p, p + ALength);
        FBytes.resize(NLMSG_ALIGN(FBytes.size()));
    }
    std::vector<unsigned char> FBytes;
};

// The kernel's end of a socket pair with its replies queued; sockets opened while it lives get the
// other end. Replies run out as a socket timeout would (EAGAIN), never as a hang.
class TScriptedKernel
{
public:
    TScriptedKernel()
    {
        int fds[2];
        if (socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, fds) == 0) {
            FKernel = fds[0];
            GOurs = fds[1];
            fcntl(GOurs, F_SETFL, O_NONBLOCK);
        }
        SetSocketOpener([] { return fcntl(GOurs, F_DUPFD_CLOEXEC, 0); });
        if (TNetlinkSocket* socket = ThreadSocket())
            socket->Close(); // the next exchange opens the scripted one
    }
    ~TScriptedKernel()
    {
        if (TNetlinkSocket* socket = ThreadSocket())
            socket->Close();
        SetSocketOpener(nullptr);
        close(FKernel);
        close(GOurs);
        GOurs = -1;
    }
    bool Queue(const TDatagram& ADatagram)
    {
        return send(FKernel, ADatagram.Bytes().data(), ADatagram.Bytes().size(), 0) ==
               static_cast<ssize_t>(ADatagram.Bytes().size());
    }

private:
    static inline int GOurs = -1;
    int FKernel = -1;
};

// A dump request as the provider sends it.
struct TRequest
{
    alignas(nlmsghdr) unsigned char Bytes[NLMSG_SPACE(sizeof(ifinfomsg))] = {};
    TRequest()
    {
        auto* msg = reinterpret_cast<nlmsghdr*>(Bytes);
        msg->nlmsg_len = sizeof(Bytes);
        msg->nlmsg_type = RTM_GETLINK;
        msg->nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
    }
    nlmsghdr* Get() { return reinterpret_cast<nlmsghdr*>(Bytes); }
};

std::vector<std::string> Exchange(TNetlinkSocket& ASocket, int& AResult)
{
    std::vector<std::string> names;
    auto visit = [&](const nlmsghdr* AMsg) {
        TLinkInfo link;
        if (ParseLink(AMsg, link))
            names.emplace_back(link.Name);
        return true;
    };
    TRequest request;
    AResult = ASocket.Exchange(request.Get(), visit);
    return names;
}

TEST(NetlinkSocket, ADumpOverSeveralDatagramsSkipsStaleRepliesAndEndsAtDone)
{
    TScriptedKernel kernel;
    ASSERT_TRUE(kernel.Queue(TDatagram().Link(0, 9, "stale").Done(0)));
    ASSERT_TRUE(kernel.Queue(TDatagram().Link(1, 1, "lo").Link(1, 2, "qa0")));
    ASSERT_TRUE(kernel.Queue(TDatagram().Link(1, 3, "qa1")));
    ASSERT_TRUE(kernel.Queue(TDatagram().Done(1)));
    TNetlinkSocket socket;
    int result = -1;
    EXPECT_EQ(Exchange(socket, result), (std::vector<std::string>{"lo", "qa0", "qa1"}));
    EXPECT_EQ(result, 0);
    // The next request gets its own replies only; an acknowledgement ends it.
    ASSERT_TRUE(kernel.Queue(TDatagram().Link(1, 4, "late").Error(2, 0)));
    EXPECT_TRUE(Exchange(socket, result).empty());
    EXPECT_EQ(result, 0);
}

TEST(NetlinkSocket, ADatagramLargerThanTheBufferIsReadWhole)
{
    TScriptedKernel kernel;
    const std::size_t big = ReceiveBufferSize + 40000;
    ASSERT_TRUE(kernel.Queue(TDatagram().Link(1, 1, "lo").Link(1, 2, "qa0", NLM_F_MULTI, big)));
    ASSERT_TRUE(kernel.Queue(TDatagram().Link(1, 3, "qa1").Done(1)));
    TNetlinkSocket socket;
    int result = -1;
    EXPECT_EQ(Exchange(socket, result), (std::vector<std::string>{"lo", "qa0", "qa1"}));
    EXPECT_EQ(result, 0);
}

TEST(NetlinkSocket, ADumpEndingInAnErrorOrARefusalIsAFailureNotAShortList)
{
    TScriptedKernel kernel;
    ASSERT_TRUE(kernel.Queue(TDatagram().Link(1, 1, "lo").Done(1, -EMSGSIZE)));
    ASSERT_TRUE(kernel.Queue(TDatagram().Error(2, -EPERM)));
    TNetlinkSocket socket;
    int result = 0;
    Exchange(socket, result);
    EXPECT_EQ(result, -EMSGSIZE);
    Exchange(socket, result);
    EXPECT_EQ(result, -EPERM);
    // No reply at all (the scripted socket runs dry like a timeout): an error, and a new socket next.
    Exchange(socket, result);
    EXPECT_EQ(result, -EAGAIN);
    EXPECT_FALSE(socket.IsOpen());
}

TEST(NetlinkSocket, APeerThatGoesAwayEndsTheExchange)
{
    int fds[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, fds), 0);
    static int ours = -1;
    ours = fds[1];
    SetSocketOpener([] { return fcntl(ours, F_DUPFD_CLOEXEC, 0); });
    TNetlinkSocket socket;
    ASSERT_TRUE(socket.Open());
    SetSocketOpener(nullptr);
    const TDatagram reply = TDatagram().Link(1, 1, "lo");
    ASSERT_EQ(send(fds[0], reply.Bytes().data(), reply.Bytes().size(), 0), static_cast<ssize_t>(reply.Bytes().size()));
    shutdown(fds[0], SHUT_WR);
    int result = 0;
    EXPECT_EQ(Exchange(socket, result), std::vector<std::string>{"lo"});
    EXPECT_LT(result, 0);
    close(fds[0]);
    close(fds[1]);
}

// The provider reads the link table again when a dump was interrupted or cut, and fails rather than
// answer with part of it.
TEST(NetlinkDump, InterruptedOrCutDumpsAreReadAgainAndAFailedOneIsNoTable)
{
    using linux_ip::GetInterfaceInfo;
    std::vector<std::uint64_t> buffer(512);
    auto* table = reinterpret_cast<PIP_INTERFACE_INFO>(buffer.data());
    {
        TScriptedKernel kernel;
        ASSERT_TRUE(kernel.Queue(TDatagram().Link(1, 1, "lo", NLM_F_MULTI | NLM_F_DUMP_INTR).Done(1)));
        ASSERT_TRUE(kernel.Queue(TDatagram().Link(2, 1, "lo").Done(2, -EMSGSIZE)));
        ASSERT_TRUE(kernel.Queue(TDatagram().Link(3, 1, "lo").Link(3, 2, "qa0").Done(3)));
        ULONG size = sizeof(std::uint64_t) * buffer.size();
        ASSERT_EQ(GetInterfaceInfo(table, &size), NO_ERROR);
        EXPECT_EQ(table->NumAdapters, 2);
    }
    {
        TScriptedKernel kernel;
        for (std::uint32_t seq = 1; seq <= 3; ++seq)
            ASSERT_TRUE(kernel.Queue(TDatagram().Link(seq, 1, "lo").Done(seq, -EMSGSIZE)));
        ASSERT_TRUE(kernel.Queue(TDatagram().Link(4, 1, "lo").Done(4)));
        ULONG size = sizeof(std::uint64_t) * buffer.size();
        EXPECT_NE(GetInterfaceInfo(table, &size), NO_ERROR);
    }
}

} // namespace
} // namespace qn::nl
