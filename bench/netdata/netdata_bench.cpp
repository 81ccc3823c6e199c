// GetTraffic per call against a bare rtnetlink link query for the same interface (measured in the same
// run), and RefreshData with 1 and 200 interfaces. Runs in a private network namespace made at start,
// so the interface set is known; needs root.
#include "netdata/network_configuration.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <libmnl/libmnl.h>
#include <linux/rtnetlink.h>
#include <net/if.h>
#include <sched.h>
#include <string>
#include <unistd.h>

namespace {

bool GNamespace = false;

bool Shell(const std::string& ACommand)
{
    return std::system((ACommand + " >/dev/null 2>&1").c_str()) == 0;
}

// The veth pairs qb0/qc0 ... qbN/qcN, up, so that 2N links exist besides lo.
void EnsurePairs(int APairs)
{
    static int existing = 0;
    for (int i = existing; i < APairs; ++i) {
        const std::string n = std::to_string(i);
        Shell("ip link add qb" + n + " type veth peer name qc" + n);
        Shell("ip link set qb" + n + " up");
        Shell("ip link set qc" + n + " up");
    }
    for (int i = APairs; i < existing; ++i)
        Shell("ip link del qb" + std::to_string(i));
    existing = APairs;
}

void BM_GetTraffic(benchmark::State& AState)
{
    if (!GNamespace) {
        AState.SkipWithError("needs root for a private network namespace");
        return;
    }
    EnsurePairs(1);
    qn::TNetworkConfiguration config;
    config.RefreshData();
    const unsigned index = if_nametoindex("qb0");
    std::uint64_t in = 0, out = 0;
    for (auto _ : AState) {
        config.GetTraffic(index, in, out);
        benchmark::DoNotOptimize(in);
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_GetTraffic);

// The least a counter read can cost: one RTM_GETLINK for the index on a reused socket, the reply
// received into a fixed buffer and not parsed.
void BM_BareNetlinkLinkQuery(benchmark::State& AState)
{
    if (!GNamespace) {
        AState.SkipWithError("needs root for a private network namespace");
        return;
    }
    EnsurePairs(1);
    const unsigned index = if_nametoindex("qb0");
    mnl_socket* socket = mnl_socket_open(NETLINK_ROUTE);
    mnl_socket_bind(socket, 0, MNL_SOCKET_AUTOPID);
    alignas(nlmsghdr) static unsigned char reply[65536];
    unsigned seq = 0;
    for (auto _ : AState) {
        alignas(nlmsghdr) unsigned char request[128] = {};
        nlmsghdr* msg = mnl_nlmsg_put_header(request);
        msg->nlmsg_type = RTM_GETLINK;
        msg->nlmsg_flags = NLM_F_REQUEST;
        msg->nlmsg_seq = ++seq;
        auto* info = static_cast<ifinfomsg*>(mnl_nlmsg_put_extra_header(msg, sizeof(ifinfomsg)));
        info->ifi_index = static_cast<int>(index);
        mnl_socket_sendto(socket, msg, msg->nlmsg_len);
        benchmark::DoNotOptimize(mnl_socket_recvfrom(socket, reply, sizeof(reply)));
    }
    mnl_socket_close(socket);
}
BENCHMARK(BM_BareNetlinkLinkQuery);

// Interfaces counted with lo: 1 is lo alone, 200 is lo and 199 ... rounded to veth pairs (lo + 200).
void BM_RefreshData(benchmark::State& AState)
{
    if (!GNamespace) {
        AState.SkipWithError("needs root for a private network namespace");
        return;
    }
    const int interfaces = static_cast<int>(AState.range(0));
    EnsurePairs(interfaces / 2);
    qn::TNetworkConfiguration config;
    for (auto _ : AState) {
        config.RefreshData();
        benchmark::DoNotOptimize(config.AdapterCount());
    }
    AState.counters["adapters"] = config.AdapterCount();
}
BENCHMARK(BM_RefreshData)->Arg(1)->Arg(200)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    GNamespace = geteuid() == 0 && unshare(CLONE_NEWNET) == 0 && Shell("ip link set lo up");
    if (!GNamespace)
        std::fprintf(stderr, "qn_bench_netdata: no private network namespace (needs root); benchmarks skipped\n");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
