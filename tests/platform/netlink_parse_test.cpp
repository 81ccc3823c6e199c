// rtnetlink parsing of messages that are cut short, overlong or malformed.
#include "platform/linux/netlink.h"

#include <gtest/gtest.h>

#include <cstring>
#include <linux/if_link.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <string>
#include <sys/socket.h>
#include <vector>

namespace qn::nl {
namespace {

// Builds one message: header, family header, then attributes.
class TMessage
{
public:
    TMessage(std::uint16_t AType, const void* AFamilyHeader, std::size_t AHeaderSize, std::uint16_t AFlags = 0)
    {
        FBytes.resize(NLMSG_HDRLEN);
        Append(AFamilyHeader, AHeaderSize);
        Header().nlmsg_type = AType;
        Header().nlmsg_flags = AFlags;
    }
    TMessage& Attr(std::uint16_t AType, const void* APayload, std::size_t ALength)
    {
        nlattr attr{static_cast<std::uint16_t>(NLA_HDRLEN + ALength), AType};
        Append(&attr, sizeof(attr));
        Append(APayload, ALength);
        return *this;
    }
    TMessage& Nested(std::uint16_t AType, const TMessage& AInner)
    {
        return Attr(AType, AInner.FBytes.data() + NLMSG_HDRLEN, AInner.FBytes.size() - NLMSG_HDRLEN);
    }
    std::vector<std::uint64_t> Aligned(std::size_t ACut = 0) const
    {
        std::vector<std::uint64_t> out(FBytes.size() / 8 + 1);
        std::memcpy(out.data(), FBytes.data(), FBytes.size() - ACut);
        return out;
    }
    std::size_t Size() const { return FBytes.size(); }
    const nlmsghdr* Get() { return &Header(); }
    void SetLength(std::uint32_t ALength) { Header().nlmsg_len = ALength; }

private:
    nlmsghdr& Header()
    {
        auto& header = *reinterpret_cast<nlmsghdr*>(FBytes.data());
        return header;
    }
    void Append(const void* AData, std::size_t ALength)
    {
        const auto* p = static_cast<const unsigned char*>(AData);
        FBytes.insert(FBytes.end(), p, p + ALength);
        FBytes.resize(NLMSG_ALIGN(FBytes.size()));
        Header().nlmsg_len = static_cast<std::uint32_t>(FBytes.size());
    }
    std::vector<unsigned char> FBytes;
};

ifinfomsg LinkHeader(int AIndex)
{
    ifinfomsg header{};
    header.ifi_index = AIndex;
    header.ifi_type = 1;
    return header;
}

TEST(NetlinkParse, ALinkMessageGivesItsFieldsAndIgnoresShortAttributes)
{
    const ifinfomsg header = LinkHeader(5);
    const std::uint32_t mtu = 1400;
    const std::uint16_t shortMtu = 9;
    rtnl_link_stats64 stats{};
    stats.rx_bytes = 0x123456789ull;
    stats.tx_bytes = 42;
    TMessage kind(0, nullptr, 0);
    kind.Attr(IFLA_INFO_KIND, "veth", 5);
    TMessage msg(RTM_NEWLINK, &header, sizeof(header));
    msg.Attr(IFLA_IFNAME, "qa0", 4)
        .Attr(IFLA_MTU, &mtu, sizeof(mtu))
        .Attr(IFLA_STATS64, &stats, sizeof(stats))
        .Attr(IFLA_IFALIAS, "no terminating nul", 18)
        .Nested(IFLA_LINKINFO, kind);
    TLinkInfo link;
    ASSERT_TRUE(ParseLink(msg.Get(), link));
    EXPECT_EQ(link.Index, 5u);
    EXPECT_STREQ(link.Name, "qa0");
    EXPECT_EQ(link.Mtu, 1400u);
    EXPECT_EQ(link.RxBytes, 0x123456789ull);
    EXPECT_EQ(link.TxBytes, 42u);
    EXPECT_STREQ(link.Alias, "no terminating nul");
    EXPECT_STREQ(link.Kind, "veth");

    // A two-byte MTU and a stats record cut in half are left out, not read past their ends.
    TMessage bad(RTM_NEWLINK, &header, sizeof(header));
    bad.Attr(IFLA_MTU, &shortMtu, sizeof(shortMtu)).Attr(IFLA_STATS64, &stats, 16);
    ASSERT_TRUE(ParseLink(bad.Get(), link));
    EXPECT_EQ(link.Mtu, 0u);
    EXPECT_FALSE(link.HasStats);
}

TEST(NetlinkParse, MessagesTooShortForTheirHeaderOrOfAnotherKindAreRefused)
{
    const ifinfomsg header = LinkHeader(5);
    TMessage msg(RTM_NEWLINK, &header, sizeof(header));
    msg.SetLength(NLMSG_HDRLEN + 4);
    TLinkInfo link;
    EXPECT_FALSE(ParseLink(msg.Get(), link));
    TAddrInfo addr;
    EXPECT_FALSE(ParseAddr(msg.Get(), addr));
    const ifinfomsg noIndex = LinkHeader(0);
    TMessage zero(RTM_NEWLINK, &noIndex, sizeof(noIndex));
    EXPECT_FALSE(ParseLink(zero.Get(), link));
}

TEST(NetlinkParse, AWalkStopsAtAMessageLongerThanTheBytesReceived)
{
    const ifinfomsg header = LinkHeader(3);
    TMessage msg(RTM_NEWLINK, &header, sizeof(header), NLM_F_MULTI);
    msg.Attr(IFLA_IFNAME, "qa0", 4);
    int visits = 0;
    const auto count = [](const nlmsghdr*, void* AContext) {
        ++*static_cast<int*>(AContext);
        return true;
    };
    std::vector<std::uint64_t> whole = msg.Aligned();
    EXPECT_EQ(WalkMessages(whole.data(), msg.Size(), 0, count, &visits), 0); // more to come
    EXPECT_EQ(visits, 1);
    std::vector<std::uint64_t> cut = msg.Aligned(6);
    EXPECT_EQ(WalkMessages(cut.data(), msg.Size() - 6, 0, count, &visits), -EBADMSG);
    EXPECT_EQ(visits, 1);
    // Another request's reply is skipped.
    EXPECT_EQ(WalkMessages(whole.data(), msg.Size(), 77, count, &visits), 0);
    EXPECT_EQ(visits, 1);

    nlmsgerr error{};
    error.error = -ENODEV;
    TMessage failure(NLMSG_ERROR, &error, sizeof(error));
    std::vector<std::uint64_t> failed = failure.Aligned();
    EXPECT_EQ(WalkMessages(failed.data(), failure.Size(), 0, count, &visits), -ENODEV);
}

TEST(NetlinkParse, MultipathRoutesGiveEveryHopAndBadHopLengthsEndTheList)
{
    rtmsg header{};
    header.rtm_family = AF_INET;
    header.rtm_table = RT_TABLE_MAIN;
    header.rtm_type = RTN_UNICAST;
    struct
    {
        rtnexthop Hop;
        nlattr Attr;
        std::uint32_t Gateway;
    } hops[2] = {};
    for (int i = 0; i < 2; ++i) {
        hops[i].Hop.rtnh_len = sizeof(hops[i]);
        hops[i].Hop.rtnh_ifindex = 4 + i;
        hops[i].Attr = {NLA_HDRLEN + 4, RTA_GATEWAY};
        hops[i].Gateway = 0x0100000a + static_cast<std::uint32_t>(i << 24);
    }
    TMessage msg(RTM_NEWROUTE, &header, sizeof(header));
    msg.Attr(RTA_MULTIPATH, hops, sizeof(hops));
    TRouteInfo route;
    ASSERT_TRUE(ParseRoute(msg.Get(), route));
    ASSERT_EQ(route.HopCount, 2u);
    EXPECT_EQ(route.Hops[1].Ifindex, 5u);
    EXPECT_EQ(route.Hops[1].Gateway, 0x0200000au);

    hops[1].Hop.rtnh_len = 200; // longer than what is left
    TMessage bad(RTM_NEWROUTE, &header, sizeof(header));
    bad.Attr(RTA_MULTIPATH, hops, sizeof(hops));
    ASSERT_TRUE(ParseRoute(bad.Get(), route));
    EXPECT_EQ(route.HopCount, 1u);
}

// The TCP opens count from /proc/net/snmp: found by name wherever the kernel puts them, and
// refused rather than guessed from a file that is cut short or holds something else.
TEST(NetlinkParse, TheTcpOpensAreTheSumOfBothCountersOrNothing)
{
    std::uint64_t count = 7;
    const std::string snmp = "Ip: Forwarding DefaultTTL\nIp: 1 64\n"
                             "Tcp: RtoAlgorithm RtoMin RtoMax MaxConn ActiveOpens PassiveOpens AttemptFails\n"
                             "Tcp: 1 200 120000 -1 15 2 0\nUdp: InDatagrams\nUdp: 3\n";
    ASSERT_TRUE(ParseTcpOpens(snmp, count));
    EXPECT_EQ(count, 17u);
    ASSERT_TRUE(ParseTcpOpens("Tcp: PassiveOpens Other ActiveOpens\nTcp: 18446744073709551000 5 4", count));
    EXPECT_EQ(count, 18446744073709551004u) << "another order, no line end";

    count = 7;
    for (const char* bad :
         {"", "Tcp: ActiveOpens PassiveOpens\n", "Tcp: ActiveOpens PassiveOpens\nUdp: 1 2\n",
          "Tcp: ActiveOpens PassiveOpens\nTcp: 1\n", "Tcp: ActiveOpens PassiveOpens\nTcp: 1 x2\n",
          "Tcp: ActiveOpens\nTcp: 1\n", "Tcp: ActiveOpens PassiveOpens\nTcp: 99999999999999999999 1\n",
          "XTcp: ActiveOpens PassiveOpens\nTcp: 1 2\n"})
        EXPECT_FALSE(ParseTcpOpens(bad, count)) << bad;
    EXPECT_EQ(count, 7u) << "a refused text leaves the count alone";
}

} // namespace
} // namespace qn::nl
