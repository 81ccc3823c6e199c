// One second's work of the applications layer with 2,000 TCP sockets (1,000 connections to an
// address of a veth link, so none is a loopback socket), and the socket table's dump alone beside it.
#include "apptraffic/app_traffic_monitor.h"
#include "platform/socket_table.h"

#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <cstdio>
#include <cstdlib>
#include <netinet/in.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace {

std::vector<int> GSockets;

// 1,000 connections to a listener on 10.88.0.1 in a private namespace; false when that cannot be.
bool OpenConnections(int ACount)
{
    rlimit files{};
    getrlimit(RLIMIT_NOFILE, &files);
    files.rlim_cur = files.rlim_max;
    setrlimit(RLIMIT_NOFILE, &files);
    if (unshare(CLONE_NEWNET) != 0)
        return false;
    if (std::system("ip link set lo up && ip link add qnb0 type veth peer name qnb1 && ip link set qnb0 up && ip link "
                    "set qnb1 up && "
                    "ip addr add 10.88.0.1/16 dev qnb0") != 0)
        return false;
    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(7000);
    inet_pton(AF_INET, "10.88.0.1", &address.sin_addr);
    if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 || listen(listener, 4096) != 0)
        return false;
    for (int i = 0; i < ACount; ++i) {
        const int client = socket(AF_INET, SOCK_STREAM, 0);
        if (connect(client, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0)
            return false;
        const int server = accept(listener, nullptr, nullptr);
        if (server < 0)
            return false;
        GSockets.push_back(client);
        GSockets.push_back(server);
    }
    return true;
}

void BM_StepWith2000TcpSockets(benchmark::State& AState)
{
    // The uplinks' real reading, made to move every second: a still network reads no table.
    qn::TUplinkCounters uplinks;
    std::uint64_t moved = 0;
    qn::TAppTrafficSources sources;
    sources.ReadUplinks = [&] {
        qn::TUplinkReading reading = uplinks.Read();
        reading.In += ++moved;
        return reading;
    };
    qn::TAppTrafficMonitor monitor(sources);
    monitor.Step();
    for (auto _ : AState)
        monitor.Step();
    AState.counters["tracked"] = static_cast<double>(monitor.Traffic().TrackedSockets());
    AState.counters["tables"] = static_cast<double>(monitor.Tables());
}
BENCHMARK(BM_StepWith2000TcpSockets)->Unit(benchmark::kMillisecond);

void BM_TableDumpWith2000TcpSockets(benchmark::State& AState)
{
    qn::TSocketTableReader reader;
    qn::TSocketTable table;
    for (auto _ : AState)
        reader.ReadTable(table);
    AState.counters["sockets"] = static_cast<double>(table.Sockets.size());
}
BENCHMARK(BM_TableDumpWith2000TcpSockets)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (!OpenConnections(1000)) {
        std::fprintf(stderr, "needs root for a private network namespace with 2,000 TCP sockets\n");
        return 77;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
