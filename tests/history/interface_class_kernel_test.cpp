// The interface classes from the real kernel's facts, inside a private network namespace: the
// loopback, a veth pair, a bridge, a dummy, a tun device and a default route over one veth, then
// over the tunnel, then none.
#include "history/interface_class.h"
#include "platform/interface_facts.h"

#include "support/network_namespace.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <vector>

namespace qn::test {
namespace {

TEST(InterfaceClassKernel, LinksOfANamespaceAreClassedFromTheirKindTypeAndTheDefaultRoute)
{
    QN_IN_NETWORK_NAMESPACE([] {
        Build("ip link add qk0 type veth peer name qk1 && ip link set qk0 up && ip link set qk1 up");
        Build("ip link add qbr0 type bridge && ip link set qbr0 up");
        // Some kernels are built without the dummy driver (a container's host, say): its case is
        // then left out, and said.
        const bool dummy = Shell("ip link add qd0 type dummy 2>/dev/null && ip link set qd0 up") == 0;
        if (!dummy)
            std::printf("no dummy driver in this kernel: the dummy link is not tested\n");
        Build("ip tuntap add dev qt0 mode tun && ip link set qt0 up");
        Build("ip addr add 10.77.0.1/24 dev qk0 && ip route add default via 10.77.0.2 dev qk0");
        ASSERT_FALSE(::testing::Test::HasFatalFailure());

        std::vector<TInterfaceFacts> facts;
        ASSERT_TRUE(ReadInterfaceFacts(facts));
        std::map<std::string, TInterfaceFacts> byName;
        for (const TInterfaceFacts& f : facts)
            byName[f.Name] = f;
        ASSERT_EQ(byName.size(), dummy ? 6u : 5u);
        EXPECT_TRUE(byName["lo"].Loopback);
        EXPECT_EQ(byName["qk0"].Kind, "veth");
        EXPECT_EQ(byName["qbr0"].Kind, "bridge");
        if (dummy) {
            EXPECT_EQ(byName["qd0"].Kind, "dummy");
        }
        EXPECT_EQ(byName["qt0"].Kind, "tun");
        EXPECT_EQ(byName["qt0"].ArpType, 65534); // no link layer
        for (const auto& [name, f] : byName) {
            EXPECT_EQ(f.DefaultRoute, name == "qk0") << name;
            EXPECT_FALSE(f.HasDevice) << name; // no device can be in a fresh namespace
        }

        std::map<std::string, TInterfaceClass> expected = {
            {"lo", TInterfaceClass::icLoopback}, {"qk0", TInterfaceClass::icDefaultRoute},
            {"qk1", TInterfaceClass::icVirtual}, {"qbr0", TInterfaceClass::icVirtual},
            {"qt0", TInterfaceClass::icTunnel},
        };
        if (dummy)
            expected["qd0"] = TInterfaceClass::icVirtual;
        EXPECT_EQ(PresentInterfaceClasses(), expected);
        // The route read alone names the links the facts mark, so a change of either is seen.
        std::vector<std::uint32_t> routes;
        ASSERT_TRUE(ReadDefaultRouteIndexes(routes));
        EXPECT_EQ(routes, std::vector<std::uint32_t>{byName["qk0"].Index});

        // The tunnel takes the default route: it still never counts, and the veth is then only
        // a virtual link.
        Build("ip addr add 10.78.0.1/24 dev qt0 && ip route replace default dev qt0");
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        const auto classes = PresentInterfaceClasses();
        EXPECT_EQ(classes.at("qt0"), TInterfaceClass::icTunnel);
        EXPECT_EQ(classes.at("qk0"), TInterfaceClass::icVirtual);
        ASSERT_TRUE(ReadDefaultRouteIndexes(routes));
        EXPECT_EQ(routes, std::vector<std::uint32_t>{byName["qt0"].Index});
        Build("ip route del default");
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        ASSERT_TRUE(ReadDefaultRouteIndexes(routes));
        EXPECT_TRUE(routes.empty());
    });
}

} // namespace
} // namespace qn::test
