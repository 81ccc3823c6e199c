// GetTraffic per call against a bare rtnetlink link query for the same interface (measured in the same
// run), RefreshData with 1, 200 and 500 interfaces, and at 501 links side by side: one RefreshData, one
// second's counter pass (the bulk request and a read of every interface, as the list, the panels and
// the history make them), and the kernel floor: one bare link dump, and the bare dumps a refresh needs
// (links, addresses, routes, neighbours and one route look-up), received and not parsed. Runs in a
// private network namespace made at start, so the interface set is known; needs root.
//
//   build-bench/bin/qn_bench_netdata --benchmark_filter=501
#include "netdata/ip_helper_counter_source.h"
#include "netdata/network_configuration.h"
#include "netdata/traffic_counter_pass.h"

#include <benchmark/benchmark.h>

#include <arpa/inet.h>
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
BENCHMARK(BM_RefreshData)->Arg(1)->Arg(200)->Arg(501)->Unit(benchmark::kMillisecond);

void BM_CounterPass(benchmark::State& AState)
{
    if (!GNamespace) {
        AState.SkipWithError("needs root for a private network namespace");
        return;
    }
    EnsurePairs(static_cast<int>(AState.range(0)) / 2);
    qn::TNetworkConfiguration config;
    config.RefreshData();
    qn::TIpHelperCounterSource source;
    for (auto _ : AState) {
        qn::HostCounterPass().Invalidate(); // a second later
        for (int i = 0; i < config.AdapterCount(); ++i) {
            qn::TTrafficCounters counters;
            benchmark::DoNotOptimize(
                source.ReadCounters(config.Adapters(static_cast<std::uint16_t>(i)).IntfIdx, counters, 0));
        }
    }
    AState.counters["adapters"] = config.AdapterCount();
}
BENCHMARK(BM_CounterPass)->Arg(501)->Unit(benchmark::kMillisecond);

// One request on a reused socket, every reply datagram received into a fixed buffer, nothing parsed.
void BareExchange(mnl_socket* ASocket, nlmsghdr* AMsg, unsigned& ASeq)
{
    alignas(nlmsghdr) static unsigned char reply[65536];
    AMsg->nlmsg_seq = ++ASeq;
    mnl_socket_sendto(ASocket, AMsg, AMsg->nlmsg_len);
    for (;;) {
        const ssize_t n = mnl_socket_recvfrom(ASocket, reply, sizeof(reply));
        if (n <= 0)
            return;
        for (auto* msg = reinterpret_cast<const nlmsghdr*>(reply); mnl_nlmsg_ok(msg, static_cast<int>(n));
             msg = reinterpret_cast<const nlmsghdr*>(reinterpret_cast<const unsigned char*>(msg) +
                                                     NLMSG_ALIGN(msg->nlmsg_len)))
            if (msg->nlmsg_type == NLMSG_DONE || msg->nlmsg_type == NLMSG_ERROR || !(msg->nlmsg_flags & NLM_F_MULTI))
                return;
    }
}

void BareDump(mnl_socket* ASocket, std::uint16_t AType, std::uint8_t AFamily, std::size_t AHeader, unsigned& ASeq)
{
    alignas(nlmsghdr) unsigned char request[128] = {};
    nlmsghdr* msg = mnl_nlmsg_put_header(request);
    msg->nlmsg_type = AType;
    msg->nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
    static_cast<unsigned char*>(mnl_nlmsg_put_extra_header(msg, AHeader))[0] = AFamily;
    BareExchange(ASocket, msg, ASeq);
}

// The kernel floor: the link dump alone (Arg 0), or every dump and the route look-up of a refresh
// (Arg 1).
void BM_BareDumps(benchmark::State& AState)
{
    if (!GNamespace) {
        AState.SkipWithError("needs root for a private network namespace");
        return;
    }
    EnsurePairs(static_cast<int>(AState.range(0)) / 2);
    const bool all = AState.range(1) != 0;
    mnl_socket* socket = mnl_socket_open(NETLINK_ROUTE);
    mnl_socket_bind(socket, 0, MNL_SOCKET_AUTOPID);
    unsigned seq = 0;
    for (auto _ : AState) {
        BareDump(socket, RTM_GETLINK, AF_UNSPEC, sizeof(ifinfomsg), seq);
        if (!all)
            continue;
        BareDump(socket, RTM_GETADDR, AF_INET, sizeof(ifaddrmsg), seq);
        BareDump(socket, RTM_GETROUTE, AF_INET, sizeof(rtmsg), seq);
        BareDump(socket, RTM_GETNEIGH, AF_INET, sizeof(ndmsg), seq);
        alignas(nlmsghdr) unsigned char request[128] = {};
        nlmsghdr* msg = mnl_nlmsg_put_header(request);
        msg->nlmsg_type = RTM_GETROUTE;
        msg->nlmsg_flags = NLM_F_REQUEST;
        auto* route = static_cast<rtmsg*>(mnl_nlmsg_put_extra_header(msg, sizeof(rtmsg)));
        route->rtm_family = AF_INET;
        route->rtm_dst_len = 32;
        const std::uint32_t destination = inet_addr("8.8.8.8");
        mnl_attr_put(msg, RTA_DST, sizeof(destination), &destination);
        BareExchange(socket, msg, seq);
    }
    mnl_socket_close(socket);
}
BENCHMARK(BM_BareDumps)->ArgNames({"links", "all"})->Args({501, 0})->Args({501, 1})->Unit(benchmark::kMillisecond);

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
