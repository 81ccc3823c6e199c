// Per-application totals against known transfers: two applications' cgroups in a private network
// namespace, a server in another namespace behind a veth uplink, the reading done as "nobody".
#include "apptraffic/app_traffic_monitor.h"
#include "support/network_namespace.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <grp.h>
#include <map>
#include <netinet/in.h>
#include <sched.h>
#include <set>
#include <sstream>
#include <string>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace qn {
namespace {

using namespace std::chrono_literals;

constexpr const char* ServerAddress = "10.77.0.2";
constexpr std::uint16_t TcpPort = 5000, UdpPort = 5001;
constexpr std::uint32_t Nobody = 65534;

bool WriteAll(int AFd, std::size_t ACount)
{
    static const std::vector<char> block(64 * 1024, 'q');
    while (ACount > 0) {
        const ssize_t n = send(AFd, block.data(), std::min(ACount, block.size()), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        ACount -= static_cast<std::size_t>(n);
    }
    return true;
}

// Reads until the peer ends; the bytes read.
std::size_t ReadAll(int AFd)
{
    std::vector<char> block(64 * 1024);
    std::size_t total = 0;
    for (;;) {
        const ssize_t n = recv(AFd, block.data(), block.size(), 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return total;
        total += static_cast<std::size_t>(n);
    }
}

// The server: reads a connection to its end, then sends as many bytes back and closes. UDP is
// read and dropped. Runs in its own network namespace until killed.
[[noreturn]] void Serve(int AReady)
{
    const int tcp = socket(AF_INET, SOCK_STREAM, 0);
    const int udp = socket(AF_INET, SOCK_DGRAM, 0);
    const int one = 1;
    setsockopt(tcp, SOL_SOCKET, SO_REUSEADDR, &one, sizeof(one));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(TcpPort);
    if (bind(tcp, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 || listen(tcp, 16) != 0)
        _exit(2);
    address.sin_port = htons(UdpPort);
    if (bind(udp, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0)
        _exit(2);
    if (write(AReady, "r", 1) != 1)
        _exit(2);
    if (fork() == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        std::vector<char> datagram(65536);
        while (recv(udp, datagram.data(), datagram.size(), 0) >= 0) {
        }
        _exit(0);
    }
    for (;;) {
        const int connection = accept(tcp, nullptr, nullptr);
        if (connection < 0)
            continue;
        if (fork() == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            const std::size_t count = ReadAll(connection);
            WriteAll(connection, count);
            close(connection);
            _exit(0);
        }
        close(connection);
    }
}

struct TTransfer
{
    std::size_t Bytes = 0;
    std::chrono::milliseconds SeenWait{0}; // how long to wait after connecting before sending
};

// A client in the cgroup ACgroup: each transfer sends its bytes, gets them back and closes. The
// wait lets the reader see the connection first (a socket first seen is a baseline).
pid_t Client(const std::string& ACgroup, std::vector<TTransfer> ATransfers, std::size_t AUdpBytes)
{
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    {
        std::ofstream procs(ACgroup + "/cgroup.procs");
        procs << getpid() << std::flush;
        if (!procs)
            _exit(3);
    }
    sockaddr_in server{};
    server.sin_family = AF_INET;
    inet_pton(AF_INET, ServerAddress, &server.sin_addr);
    int udp = -1;
    if (AUdpBytes > 0) {
        udp = socket(AF_INET, SOCK_DGRAM, 0);
        server.sin_port = htons(UdpPort);
        std::vector<char> datagram(1000, 'u');
        for (std::size_t sent = 0; sent < AUdpBytes; sent += datagram.size()) {
            if (sendto(udp, datagram.data(), datagram.size(), 0, reinterpret_cast<sockaddr*>(&server),
                       sizeof(server)) != static_cast<ssize_t>(datagram.size()))
                _exit(4);
            if (sent % 100000 == 0)
                std::this_thread::sleep_for(1ms);
        }
    }
    server.sin_port = htons(TcpPort);
    for (const TTransfer& transfer : ATransfers) {
        const int tcp = socket(AF_INET, SOCK_STREAM, 0);
        if (connect(tcp, reinterpret_cast<sockaddr*>(&server), sizeof(server)) != 0)
            _exit(5);
        std::this_thread::sleep_for(transfer.SeenWait);
        if (!WriteAll(tcp, transfer.Bytes) || shutdown(tcp, SHUT_WR) != 0)
            _exit(6);
        if (ReadAll(tcp) != transfer.Bytes)
            _exit(7);
        close(tcp);
    }
    // The UDP socket stays open until the TCP work is done, so that the reader sees who holds it.
    if (udp >= 0)
        close(udp);
    _exit(0);
}

struct TReaderResult
{
    std::map<std::string, std::pair<std::uint64_t, std::uint64_t>> Apps; // "kind:id" -> in, out
    std::set<std::string> UsedUdp;
    std::uint64_t UnattributedIn = 0, UnattributedOut = 0;
    std::uint64_t UplinksIn = 0, UplinksOut = 0;
    int Limit = -1;
};

// The reader, as the user nobody: a step every 200 ms until AStop is closed, then its figures.
pid_t Reader(int AReady, const int (&AStop)[2], int AOut)
{
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    close(AStop[1]);
    if (setgroups(0, nullptr) != 0 || setgid(Nobody) != 0 || setuid(Nobody) != 0)
        _exit(8);
    std::uint64_t uplinksIn = 0, uplinksOut = 0;
    TUplinkCounters uplinks;
    TAppTrafficSources sources;
    sources.ReadUplinks = [&] {
        TUplinkReading reading = uplinks.Read();
        uplinksIn = reading.In;
        uplinksOut = reading.Out;
        return reading;
    };
    TAppTrafficMonitor monitor(sources);
    std::set<std::string> usedUdp;
    monitor.Step();
    if (write(AReady, "r", 1) != 1)
        _exit(9);
    fcntl(AStop[0], F_SETFL, O_NONBLOCK);
    for (;;) {
        std::this_thread::sleep_for(200ms);
        monitor.Step();
        for (const TAppRow& row : monitor.Traffic().Rows())
            if (row.UsesUdp)
                usedUdp.insert(row.Unit.Id);
        char c;
        if (read(AStop[0], &c, 1) == 0)
            break;
    }
    std::ostringstream out;
    for (const TAppRow& row : monitor.Traffic().Rows())
        out << "app " << static_cast<int>(row.Unit.Kind) << ":" << row.Unit.Id << " " << row.TotalIn << " "
            << row.TotalOut << "\n";
    for (const std::string& id : usedUdp)
        out << "udp " << id << "\n";
    out << "unattributed " << monitor.Traffic().Unattributed().TotalIn << " "
        << monitor.Traffic().Unattributed().TotalOut << "\n";
    out << "uplinks " << uplinksIn << " " << uplinksOut << "\n";
    out << "limit " << static_cast<int>(monitor.Traffic().Limit()) << "\n";
    out << "tables " << monitor.Tables() << " looks " << monitor.Looks() << " skipped " << monitor.Skipped() << "\n";
    const std::string text = out.str();
    if (write(AOut, text.data(), text.size()) != static_cast<ssize_t>(text.size()))
        _exit(10);
    _exit(0);
}

TReaderResult ParseResult(const std::string& AText)
{
    TReaderResult result;
    std::istringstream in(AText);
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string what, id;
        words >> what;
        if (what == "app") {
            words >> id;
            words >> result.Apps[id].first >> result.Apps[id].second;
        } else if (what == "udp") {
            words >> id;
            result.UsedUdp.insert(id);
        } else if (what == "unattributed") {
            words >> result.UnattributedIn >> result.UnattributedOut;
        } else if (what == "uplinks") {
            words >> result.UplinksIn >> result.UplinksOut;
        } else if (what == "limit") {
            words >> result.Limit;
        }
    }
    return result;
}

std::uint64_t ReadNumber(const std::string& APath)
{
    std::ifstream in(APath);
    std::uint64_t value = 0;
    in >> value;
    return value;
}

bool WaitExit(pid_t APid)
{
    int status = 0;
    while (waitpid(APid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The sysfs of the namespace hides the machine's cgroup mounts: mount the cgroup2 hierarchy over it.
std::string MountCgroups()
{
    if (mount("cgroup2", "/sys/fs/cgroup", "cgroup2", 0, nullptr) != 0)
        return std::string("cannot mount the cgroup2 hierarchy: ") + std::strerror(errno);
    return {};
}

// The socket of AFd in ATable, by its inode; null when the table does not hold it.
const TSocketRecord* FindByInode(const TSocketTable& ATable, int AFd)
{
    struct stat status
    {
    };
    if (fstat(AFd, &status) != 0)
        return nullptr;
    for (const TSocketRecord& record : ATable.Sockets)
        if (record.Inode == status.st_ino && record.Protocol == TSocketProtocol::spTcp)
            return &record;
    return nullptr;
}

// The look at single sockets against the kernel: a connection is counted twice among the opens (its
// two ends), a socket is read again by the key a whole table gave, with its bytes, and one that was
// closed is not found, also when asked for among others.
TEST(AppTrafficKernel, TheReaderLooksUpASocketByItsKeyAndCountsEveryOpen)
{
    QN_IN_NETWORK_NAMESPACE([] {
        test::Build("ip link set lo up");
        TSocketTableReader reader;
        std::uint64_t opensBefore = 0, opensAfter = 0;
        ASSERT_EQ(reader.ReadOpenCount(opensBefore), 1);
        const int listener = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof(address);
        ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
        ASSERT_EQ(listen(listener, 4), 0);
        ASSERT_EQ(getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length), 0);
        const int client = socket(AF_INET, SOCK_STREAM, 0);
        ASSERT_EQ(connect(client, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
        const int server = accept(listener, nullptr, nullptr);
        ASSERT_GE(server, 0);
        ASSERT_EQ(reader.ReadOpenCount(opensAfter), 1);
        EXPECT_EQ(opensAfter, opensBefore + 2) << "one active and one passive open";

        TSocketTable whole;
        ASSERT_EQ(reader.ReadTable(whole), 1);
        EXPECT_FALSE(whole.Partial);
        const TSocketRecord* clientRecord = FindByInode(whole, client);
        const TSocketRecord* serverRecord = FindByInode(whole, server);
        ASSERT_NE(clientRecord, nullptr);
        ASSERT_NE(serverRecord, nullptr);
        const TSocketKey clientKey = clientRecord->Key, serverKey = serverRecord->Key;

        ASSERT_TRUE(WriteAll(client, 5000));
        std::vector<char> buffer(5000);
        std::size_t received = 0;
        while (received < buffer.size()) {
            const ssize_t n = recv(server, buffer.data() + received, buffer.size() - received, 0);
            ASSERT_GT(n, 0);
            received += static_cast<std::size_t>(n);
        }
        // The acknowledgement crosses loopback at once, but is counted on the sender after the
        // receiver's read returned: wait for it, boundedly.
        TSocketTable look;
        const auto deadline = std::chrono::steady_clock::now() + 5s;
        do {
            ASSERT_EQ(reader.ReadSockets({serverKey, clientKey}, look), 1);
            ASSERT_EQ(look.Sockets.size(), 2u);
        } while (look.Sockets[1].BytesAcked < 5000 && std::chrono::steady_clock::now() < deadline);
        EXPECT_TRUE(look.Partial);
        EXPECT_EQ(look.Sockets[0].Cookie, serverRecord->Cookie);
        EXPECT_EQ(look.Sockets[0].BytesReceived, 5000u);
        EXPECT_EQ(look.Sockets[1].Cookie, clientRecord->Cookie);
        EXPECT_EQ(look.Sockets[1].BytesAcked, 5000u);
        EXPECT_TRUE(look.Sockets[1].HasCgroupId == clientRecord->HasCgroupId);

        // Closed at once (a reset, no time-wait, and the other end closed by it): no longer found,
        // while another connection still is.
        const int other = socket(AF_INET, SOCK_STREAM, 0);
        ASSERT_EQ(connect(other, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
        const int otherServer = accept(listener, nullptr, nullptr);
        ASSERT_EQ(reader.ReadTable(whole), 1);
        ASSERT_NE(FindByInode(whole, other), nullptr);
        const TSocketRecord otherRecord = *FindByInode(whole, other);
        const linger abort{1, 0};
        ASSERT_EQ(setsockopt(client, SOL_SOCKET, SO_LINGER, &abort, sizeof(abort)), 0);
        close(client);
        TSocketKey garbage = clientKey;
        garbage.Id[0] ^= 0xFF; // another port
        ASSERT_EQ(reader.ReadSockets({clientKey, garbage, otherRecord.Key, serverKey}, look), 1);
        ASSERT_EQ(look.Sockets.size(), 1u);
        EXPECT_EQ(look.Sockets[0].Cookie, otherRecord.Cookie);
        close(other);
        close(otherServer);
        close(server);
        close(listener);
    });
}

TEST(AppTrafficKernel, EachApplicationGetsExactlyWhatItsConnectionsMoved)
{
    QN_IN_NETWORK_NAMESPACE([] {
        if (const std::string reason = MountCgroups(); !reason.empty())
            test::SkipInNamespace(reason);
        const std::string slice = "/sys/fs/cgroup/qn-test-" + std::to_string(getpid()) + ".slice";
        const std::string alpha = slice + "/app-gnome-org.example.Alpha-" + std::to_string(getpid()) + ".scope";
        const std::string beta = slice + "/app-org.example.Beta-" + std::to_string(getpid()) + ".scope";
        if (mkdir(slice.c_str(), 0755) != 0 || mkdir(alpha.c_str(), 0755) != 0 || mkdir(beta.c_str(), 0755) != 0)
            test::SkipInNamespace("cannot make cgroups under the cgroup2 mount: " + std::string(std::strerror(errno)));
        // The cgroups outlive the namespace: removed on every way out, once their processes ended.
        struct TCgroupGuard
        {
            std::vector<std::string> Paths;
            ~TCgroupGuard()
            {
                for (const std::string& path : Paths)
                    rmdir(path.c_str());
            }
        } cgroups{{alpha, beta, slice}};

        // The server's namespace, joined to ours by a veth pair that carries our default route:
        // the uplink of this namespace.
        int go[2], ready[2];
        ASSERT_EQ(pipe(go), 0);
        ASSERT_EQ(pipe(ready), 0);
        const pid_t server = fork();
        if (server == 0) {
            if (unshare(CLONE_NEWNET) != 0)
                _exit(1);
            char c;
            if (read(go[0], &c, 1) != 1 || test::Shell("ip link set lo up") != 0 ||
                test::Shell("ip addr add 10.77.0.2/24 dev qv1") != 0 || test::Shell("ip link set qv1 up") != 0)
                _exit(1);
            Serve(ready[1]);
        }
        // Every way out of this body ends the server, which holds the test's pipes open.
        struct TServerGuard
        {
            pid_t Pid;
            ~TServerGuard()
            {
                kill(Pid, SIGKILL);
                waitpid(Pid, nullptr, 0);
            }
        } guard{server};
        std::this_thread::sleep_for(100ms);
        test::Build("ip link add qv0 type veth peer name qv1");
        test::Build("ip link set qv1 netns " + std::to_string(server));
        test::Build("ip addr add 10.77.0.1/24 dev qv0");
        test::Build("ip link set qv0 up");
        test::Build("ip route add default via 10.77.0.2");
        ASSERT_EQ(write(go[1], "g", 1), 1);
        char c = 0;
        ASSERT_EQ(read(ready[0], &c, 1), 1);
        ASSERT_EQ(c, 'r');
        ASSERT_TRUE(test::WaitUntilUp({"qv0"}));

        int readerReady[2], stop[2], out[2];
        ASSERT_EQ(pipe(readerReady), 0);
        ASSERT_EQ(pipe(stop), 0);
        ASSERT_EQ(pipe(out), 0);
        const std::uint64_t rxBefore = ReadNumber("/sys/class/net/qv0/statistics/rx_bytes");
        const std::uint64_t txBefore = ReadNumber("/sys/class/net/qv0/statistics/tx_bytes");
        const pid_t reader = Reader(readerReady[1], stop, out[1]);
        close(stop[0]);
        close(out[1]);
        ASSERT_EQ(read(readerReady[0], &c, 1), 1) << "the reader did not start as nobody";

        // Alpha: 3,000,000 bytes each way, then a connection used and closed within a second: the
        // reader sees it open, but its bytes only arrive with its close event. Beta: 7,000,000 each
        // way and 2,000,000 bytes of UDP, which no socket counts.
        const pid_t a = Client(alpha, {{3000000, 1500ms}, {500000, 500ms}}, 0);
        const pid_t b = Client(beta, {{7000000, 1500ms}}, 2000000);
        EXPECT_TRUE(WaitExit(a)) << "client alpha failed";
        EXPECT_TRUE(WaitExit(b)) << "client beta failed";
        std::this_thread::sleep_for(1000ms);
        close(stop[1]);
        std::string text;
        char buffer[4096];
        for (ssize_t n; (n = read(out[0], buffer, sizeof(buffer))) > 0;)
            text.append(buffer, static_cast<std::size_t>(n));
        EXPECT_TRUE(WaitExit(reader)) << "the reader failed";
        const std::uint64_t rx = ReadNumber("/sys/class/net/qv0/statistics/rx_bytes") - rxBefore;
        const std::uint64_t tx = ReadNumber("/sys/class/net/qv0/statistics/tx_bytes") - txBefore;

        if (std::getenv("QN_SHOW_FIGURES"))
            std::printf("%s", text.c_str());
        const TReaderResult result = ParseResult(text);
        const std::string alphaKey = "1:org.example.Alpha", betaKey = "1:org.example.Beta";
        ASSERT_TRUE(result.Apps.count(alphaKey)) << text;
        ASSERT_TRUE(result.Apps.count(betaKey)) << text;
        // Sent and acknowledged payload is exact. Received payload may hold one byte more per
        // connection: the kernel counts the peer's FIN as a received sequence number.
        EXPECT_EQ(result.Apps.at(alphaKey).second, 3500000u);
        EXPECT_GE(result.Apps.at(alphaKey).first, 3500000u);
        EXPECT_LE(result.Apps.at(alphaKey).first, 3500002u);
        EXPECT_EQ(result.Apps.at(betaKey).second, 7000000u);
        EXPECT_GE(result.Apps.at(betaKey).first, 7000000u);
        EXPECT_LE(result.Apps.at(betaKey).first, 7000001u);
        EXPECT_TRUE(result.UsedUdp.count("org.example.Beta")) << text;
        EXPECT_EQ(result.Limit, static_cast<int>(TAttributionLimit::alNone));
        // The UDP payload is in "Unattributed"; with the headers, the rows add up to the uplink's
        // counters, which the kernel's own for the link bound (the reader started a moment later).
        EXPECT_GE(result.UnattributedOut, 2000000u);
        std::uint64_t sumIn = result.UnattributedIn, sumOut = result.UnattributedOut;
        for (const auto& [key, bytes] : result.Apps) {
            sumIn += bytes.first;
            sumOut += bytes.second;
        }
        EXPECT_EQ(sumIn, result.UplinksIn);
        EXPECT_EQ(sumOut, result.UplinksOut);
        EXPECT_LE(result.UplinksIn, rx);
        EXPECT_LE(result.UplinksOut, tx);
        const double payloadIn = 10500000.0, payloadOut = 12500000.0;
        EXPECT_LE(static_cast<double>(rx), payloadIn * 1.1) << "more than the headers' share";
        EXPECT_LE(static_cast<double>(tx), payloadOut * 1.1) << "more than the headers' share";
        EXPECT_GE(static_cast<double>(result.UplinksIn), payloadIn);
        EXPECT_GE(static_cast<double>(result.UplinksOut), payloadOut);
    });
}

} // namespace
} // namespace qn
