// One second's work of the applications layer with 2,000 TCP sockets (1,000 connections to an
// address of a veth link, so none is a loopback socket): while one connection carries the traffic,
// and in a second whose traffic no known socket accounts for (the whole table each time); the
// socket table's dump alone beside them.
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

// The system's socket table read for real, with seconds simulated: each benchmark iteration is
// one second to the step (so that a whole table comes every ten), and the uplinks move by what the
// benchmark says crossed them.
struct TSimulatedSeconds
{
    qn::TSocketTableReader Reader;
    std::uint64_t Tick = 1000, In = 0, Out = 0;

    qn::TAppTrafficSources Sources()
    {
        qn::TAppTrafficSources sources;
        sources.ReadTable = [this](qn::TSocketTable& ATable) {
            const int result = Reader.ReadTable(ATable);
            ATable.Tick = Tick;
            return result;
        };
        sources.ReadSockets = [this](const std::vector<qn::TSocketKey>& AKeys, qn::TSocketTable& ATable) {
            const int result = Reader.ReadSockets(AKeys, ATable);
            ATable.Tick = Tick;
            return result;
        };
        sources.ReadOpenCount = [this](std::uint64_t& ACount) { return Reader.ReadOpenCount(ACount); };
        sources.ReadCloses = [this](std::vector<qn::TSocketClose>& ACloses) { return Reader.ReadCloses(ACloses); };
        sources.ReadUplinks = [this] { return qn::TUplinkReading{true, Tick, In, Out}; };
        return sources;
    }
};

// Sends ABlock from one of the program's sockets to the other and reads it there; the bytes moved.
std::size_t Transfer(int AClient, int AServer, std::vector<char>& ABlock)
{
    std::size_t moved = 0;
    while (moved < ABlock.size()) {
        const ssize_t sent = send(AClient, ABlock.data(), ABlock.size() - moved, 0);
        if (sent <= 0)
            return moved;
        for (ssize_t got = 0; got < sent;) {
            const ssize_t n = recv(AServer, ABlock.data(), static_cast<std::size_t>(sent - got), 0);
            if (n <= 0)
                return moved;
            got += n;
        }
        moved += static_cast<std::size_t>(sent);
    }
    return moved;
}

// One connection carries the traffic while 1,999 sockets stay idle. The transfer is not timed.
void BM_StepWith2000TcpSocketsOneBusy(benchmark::State& AState)
{
    TSimulatedSeconds seconds;
    qn::TAppTrafficMonitor monitor(seconds.Sources());
    std::vector<char> block(16 * 1024, 'q');
    monitor.Step();
    for (auto _ : AState) {
        AState.PauseTiming();
        seconds.Tick += 1000;
        // Both ends are the program's: what one sends the other receives.
        const std::size_t moved = Transfer(GSockets[0], GSockets[1], block);
        seconds.In += moved;
        seconds.Out += moved;
        AState.ResumeTiming();
        monitor.Step();
    }
    AState.counters["tables"] = static_cast<double>(monitor.Tables());
    AState.counters["looks"] = static_cast<double>(monitor.Looks());
}
BENCHMARK(BM_StepWith2000TcpSocketsOneBusy)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

// Traffic no socket accounts for (UDP: a call, a stream over QUIC): the first second finds that
// out from a whole table, then looks go on beside it, with a whole table every ten seconds.
void BM_StepWith2000TcpSocketsAndUdpTraffic(benchmark::State& AState)
{
    TSimulatedSeconds seconds;
    qn::TAppTrafficMonitor monitor(seconds.Sources());
    monitor.Step();
    for (auto _ : AState) {
        seconds.Tick += 1000;
        seconds.In += 300000;
        seconds.Out += 30000;
        monitor.Step();
    }
    AState.counters["tables"] = static_cast<double>(monitor.Tables());
    AState.counters["looks"] = static_cast<double>(monitor.Looks());
}
BENCHMARK(BM_StepWith2000TcpSocketsAndUdpTraffic)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// A second in which a connection was opened: the whole table, as every second would cost if
// nothing else were done.
void BM_TableDumpWith2000TcpSockets(benchmark::State& AState)
{
    qn::TSocketTableReader reader;
    qn::TSocketTable table;
    for (auto _ : AState)
        reader.ReadTable(table);
    AState.counters["sockets"] = static_cast<double>(table.Sockets.size());
}
BENCHMARK(BM_TableDumpWith2000TcpSockets)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

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
